#pragma once
// Test helpers: motion-file pieces (spline segments, "easing" lists, "cp"
// objects) written by our PSB writer and loaded back as a document.

#include <initializer_list>
#include <memory>

#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/psb_writer.h"

inline psbwriter::Value floatList(std::initializer_list<float> values) {
    psbwriter::List list;
    for (float v : values) list.emplace_back(v);
    return list;
}

inline psbwriter::Value splineSegment(std::initializer_list<float> x, std::initializer_list<float> y,
                                      std::initializer_list<float> p) {
    return psbwriter::Object{{"x", floatList(x)}, {"y", floatList(y)}, {"p", floatList(p)}};
}

// A straight re-timing spline over [0, 1].
inline psbwriter::Value identitySpline() { return splineSegment({0.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}); }

struct CurveDocument {
    explicit CurveDocument(const psbwriter::Value& root) : document(loadDocument(psbwriter::writePsb(root))) {}
    PSBValue root() const { return document->root(); }

    std::unique_ptr<PSBObject> document;
};
