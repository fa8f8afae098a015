#include "platform/arcade/wide_text.h"

#include <SDL.h>

namespace arcade {

std::wstring wideFromUtf8(const std::string& text) {
    char* converted = SDL_iconv_string("WCHAR_T", "UTF-8", text.c_str(), text.size() + 1);
    if (!converted) return std::wstring(text.begin(), text.end());
    std::wstring wide(reinterpret_cast<const wchar_t*>(converted));
    SDL_free(converted);
    return wide;
}

}  // namespace arcade
