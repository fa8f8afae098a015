#pragma once
// The folder of the running program, where files that sit beside the
// executable ("dinput.ini") are looked for.

#include <string>

namespace platform {

// Ends in a separator; empty when the system cannot tell.
std::string moduleDirectory();

}  // namespace platform
