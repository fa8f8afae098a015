#pragma once
// Conversions between the engine's UTF-8 text, UTF-16 wide text and the
// "ANSI" code page. Wide text is UTF-16 in char16_t. On this platform the ANSI
// code page is UTF-8. None of them reports an error.

#include <string>

std::u16string utf8ToWide(std::string text);
std::string wideToUtf8(std::u16string text);
std::string wideToAnsi(std::u16string text);
std::u16string ansiToWide(std::string text);
std::string utf8ToAnsi(std::string text);
