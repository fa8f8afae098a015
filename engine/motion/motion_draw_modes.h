#pragma once
// motionDrawModes: the draw modes a motion document's layers are drawn in,
// read once at load so that the rasteriser's code for its textures in those
// modes can be made before the first frame that draws them.
//
// Threads: any (it reads the document only).

#include <cstdint>
#include <vector>

class PSBValue;

// Every "bm" of the frames of every motion's layers, nested layers
// included, with the mode a layer draws in when its frames name none;
// sorted, each once.
std::vector<uint32_t> motionDrawModes(const PSBValue& root);
