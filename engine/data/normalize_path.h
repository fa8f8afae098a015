#pragma once
// normalizePath: the form every requested path is read under. Backslashes
// become '/', then runs of '/' collapse to one, so "a\\b//c" and "a/b/c"
// name the same file (and key the same container key stream).

#include <string>
#include <string_view>

std::string normalizePath(std::string_view path);
