// The font text lines: per font a pool of 64 indicators on draw layer 1001,
// filled in print order each frame and hidden again when a frame prints
// fewer. A print before its font has loaded only counts.
#include <string>

#include "engine/render/camera_2d.h"
#include "engine/ui/indicator.h"
#include "engine/ui/psb_font.h"
#include "game/core/game_task.h"

void GameTask::createTextLines(int k) {
    M2DCameraLocator* layer = layers[kTextLineLayer];
    if (fonts[k] == nullptr || layer == nullptr) return;
    for (MIndicator*& line : lines[k]) {
        line = new MIndicator(fonts[k], 0.0f, 0.0f, MFontOwnership::Borrowed);
        line->hide();
        layer->add(line);
    }
}

void GameTask::printTextLine(int font, const char* text, float x, float y, int r, int g, int b, float alpha,
                             int /*fontSize: the indicator has no size switch*/) {
    if (font < 0 || font >= kFonts) return;
    const int32_t n = lineCount[font];
    if (n >= kTextLines) return;
    if (fonts[font] != nullptr) fonts[font]->setColour(((uint32_t(r) * 256 + g) * 256 + b) * 256 + 255);
    if (MIndicator* line = lines[font][n]) {
        line->setAlpha(int32_t(alpha * 255.0f));
        line->setPosition(x, y);
        line->setText(text);
        line->show();
    }
    lineCount[font] = n + 1;
}

void GameTask::resetTextLines() {
    for (int f = 0; f < kFonts; ++f) {
        for (int n = lineCount[f]; n < kTextLines; ++n) {
            if (lines[f][n] != nullptr) lines[f][n]->hide();
        }
        lineCount[f] = 0;
    }
}
