// Default texts module: the settings file the game copies beside itself when
// it has none, and the opening's cue frames. Their values are the content
// files' own; this checks their form and that every key reads its own line.
#include "tools/content/content_modules.h"
#include "tools/content/key_value_text.h"

namespace content {
namespace {

struct DefaultText {
    const char* content;
    const char* resource;
};

// Values start with a digit: the game's settings reader takes no sign.
constexpr DefaultText kTexts[] = {
    {"data/config.txt", "data/config.txt"},
    {"data/opning_config.txt", "sound/voice/opning_config.txt"},
};

}  // namespace

void makeDefaultTexts(ContentContext& context) {
    for (const DefaultText& text : kTexts) {
        const std::vector<KeyValue> entries = readKeyValueContent(context, text.content, 0);
        context.writeResource(text.resource, formatKeyValueText(entries, text.content));
    }
}

}  // namespace content
