#pragma once
// Pictures and summaries of the stages for people: a stage's timeline with
// time running up (each row a mark at its spawn x and frame, coloured by
// kind, ground kinds square; waves named at the left; the WARNING, mid-boss
// and boss rows across the picture), and a one-page text (rows a kind,
// waves, the densest second).
//
// Threads: plain functions.

#include <cstdint>
#include <string>

#include "tools/content/bitmap_font.h"
#include "tools/content/png_image.h"
#include "tools/content/stage_design.h"

namespace content {

// The most rows due within one second (60 frames) and the first frame of
// the earliest such second.
struct DensestSecond {
    int32_t frame = 0;
    int32_t rows = 0;
};
DensestSecond densestSecond(const StageDesign& design);

Image stagePreview(const StageDesign& design, const BitmapGlyphs& font);
std::string stageSummary(const StageDesign& design);

}  // namespace content
