#pragma once
// The program's text resources, compiled in: what the executable would carry
// as resources of type "TEXT", looked up by numeric id.

#include <string_view>

// The built-in window configuration, headed "#SPEC_TXT".
inline constexpr int kWindowConfigResourceId = 201;

// The resource's bytes, or an empty view when the program has no such resource.
std::string_view findTextResource(int resourceId);
