#pragma once
// The generator's modules, run in table order. Each makes one family of
// content (fonts, default texts, sounds, sprites, motions, ...) from its
// files in the content folder; a new family is one more module and one more
// line in the table.
//
// Threads: modules run one after another on the main thread; a module may
// spread its own work over threads, but writes through the context from
// the main thread only.

#include <span>

#include "tools/content/content_context.h"

namespace content {

struct ContentModule {
    const char* name;
    void (*run)(ContentContext& context);
};

std::span<const ContentModule> contentModules();

// The modules.
void makePsbFonts(ContentContext& context);
void makeBitmapFont(ContentContext& context);
void makeDefaultTexts(ContentContext& context);
void makeVolumeTexts(ContentContext& context);
void makeSprites(ContentContext& context);
// The front end's words (front_words).
void makeFrontWords(ContentContext& context);
void makeSoundBank(ContentContext& context);
void makeSceneMotions(ContentContext& context);
void makeStages(ContentContext& context);
void checkStageMotions(ContentContext& context);
void makeStaffRollPages(ContentContext& context);

}  // namespace content
