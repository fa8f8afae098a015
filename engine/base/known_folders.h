#pragma once
// The known-folder path tokens ("<Documents>", "<LocalAppData>", ...) and the
// places on this machine they stand for.

#include <optional>
#include <string>
#include <string_view>

// The folder a token (with its angle brackets) names, read from HOME and the
// XDG variables now; nothing when the token is not one of the 25, has no
// place here, or its place cannot be told (HOME unset).
std::optional<std::string> resolveKnownFolder(std::string_view token);
