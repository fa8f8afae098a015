#pragma once

#include <string>
#include <string_view>

// text with every occurrence of pattern replaced, searching on after each
// inserted replacement (so a replacement is never searched again). An empty
// pattern replaces nothing.
std::string replaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);
