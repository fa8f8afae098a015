// MFont::layoutText: one run per drawn character, and the inline markup that
// changes the colour and scale of the runs after it.
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "engine/ui/font.h"

namespace {

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Marks that draw over the character before them: the kana voicing marks and
// the Thai vowel and tone marks.
bool isJoiningMark(char16_t c) {
    return c == 0x3099 || c == 0x309A || c == 0x0E31 || (c >= 0x0E33 && c <= 0x0E3A) ||
           (c >= 0x0E47 && c <= 0x0E4E);
}

// The run of the character at text[i], with its low surrogate and one
// joining mark; i ends on the last unit taken.
std::u16string takeCharacter(std::u16string_view text, size_t& i) {
    std::u16string unit(1, text[i]);
    if (isSurrogate(text[i]) && i + 1 < text.size()) unit += text[++i];
    if (i + 1 < text.size() && isJoiningMark(text[i + 1])) unit += text[++i];
    return unit;
}

// Hexadecimal after optional blanks and "0x"; no digits give 0. A sign is no
// digit, and values past 32 bits saturate.
uint32_t parseHexColour(const std::string& value) {
    const char* p = value.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    if (*p == '+' || *p == '-') return 0;
    errno = 0;
    const unsigned long long v = std::strtoull(p, nullptr, 16);
    if (errno == ERANGE || v > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    return uint32_t(v);
}

class MarkupReader {
public:
    MarkupReader(uint32_t defaultColour, GlyphRuns& runs)
        : defaultColour_(defaultColour), colour_(defaultColour), runs_(runs) {}

    void read(std::u16string_view text) {
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            switch (state_) {
            case State::Text:
                if (c == u'#') {
                    state_ = State::Hash;
                } else {
                    emit(takeCharacter(text, i));
                }
                break;
            case State::Hash:
                if (c == u'{') {
                    buffer_.clear();
                    fields_.clear();
                    state_ = State::Command;
                } else {
                    emit(std::u16string(1, c));
                }
                break;
            case State::Command:
                readCommand(c);
                break;
            }
        }
    }

private:
    enum class State { Text, Hash, Command };

    void emit(std::u16string unit) { runs_.push_back({std::move(unit), colour_, scale_}); }

    void readCommand(char16_t c) {
        if (c != u',' && c != u'}') {
            buffer_ += char(c & 0xFF);
            return;
        }
        fields_.push_back(std::move(buffer_));
        buffer_.clear();
        if (c == u'}') {
            state_ = State::Text;
            execute();
        }
    }

    void execute() {
        if (fields_.size() < 2) return;
        const std::string& value = fields_[1];
        if (fields_[0] == "color") {
            colour_ = value == "clear" ? defaultColour_ : parseHexColour(value);
        } else if (fields_[0] == "scale") {
            scale_ = float(std::strtod(value.c_str(), nullptr));
        }
    }

    const uint32_t defaultColour_;
    uint32_t colour_;
    float scale_ = 1.0f;
    State state_ = State::Text;
    std::string buffer_;
    std::vector<std::string> fields_;
    GlyphRuns& runs_;
};

}  // namespace

void MFont::layoutText(std::u16string_view text, GlyphRuns& runs) const {
    runs.clear();
    runs.reserve(text.size());
    if (markup_) {
        MarkupReader(colour_, runs).read(text);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) runs.push_back({takeCharacter(text, i), colour_, 1.0f});
}
