#pragma once
// UTF-8 to the platform's wide text (wchar_t, UTF-32 here); invalid bytes
// become U+FFFD so a bad settings value never ends a call.

#include <string>

namespace arcade {

std::wstring wideFromUtf8(const std::string& text);

}  // namespace arcade
