#pragma once
// A SpriteTarget that records what the sprite draws hand it.

#include <vector>

#include "game/core/sprite_sheet.h"

struct RecordedQuad {
    MRawTex* sheet;
    MDrawMode mode;
    int layer;
    MQuadBatch::Quad quad;
};

class SpriteTargetRecorder {
public:
    SpriteTargetRecorder() {
        quads().clear();
        detached().clear();
        currentLayer() = 0;
        setSpriteTarget(&kTarget);
    }
    ~SpriteTargetRecorder() { setSpriteTarget(nullptr); }

    static std::vector<RecordedQuad>& quads() {
        static std::vector<RecordedQuad> list;
        return list;
    }
    static std::vector<MRawTex*>& detached() {
        static std::vector<MRawTex*> list;
        return list;
    }
    static int& currentLayer() {
        static int layer = 0;
        return layer;
    }

private:
    static inline const SpriteTarget kTarget{
        [](int) -> M2DCameraLocator* { return nullptr; },
        []() -> MView* { return nullptr; },
        [](int layer) { currentLayer() = layer; },
        [](MRawTex* sheet, MDrawMode mode, const MQuadBatch::Quad& quad) {
            quads().push_back({sheet, mode, currentLayer(), quad});
        },
        [](MRawTex* sheet) { detached().push_back(sheet); },
    };
};
