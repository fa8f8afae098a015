#include "engine/render/camera_2d.h"

#include <algorithm>

#include "engine/render/display.h"

void M2DCameraRoot::draw(int pass) {
    MDisplay::setCamera(0.0f, 0.0f, 1.0f, 0.0f);
    MParallelTaskSet::draw(pass);
}

void M2DCameraLocator::draw(int pass) {
    MDisplay* display = MDisplay::getInstance();
    if (!display) {
        MParallelTaskSet::draw(pass);
        return;
    }
    display->pushTransform(display->topTransform());
    // Scale about the pivot, turn, then carry the pivot to the position's
    // negation: p -> R.scale.(p - pivot) + pivot - position.
    MMatrix34 scale = MMatrix34::identity();
    scale.m[0][0] = scaleX;
    scale.m[0][3] = -pivotX * scaleX;
    scale.m[1][1] = scaleY;
    scale.m[1][3] = -pivotY * scaleY;
    MMatrix34 local;
    matrixMultiply(matrixRotationZ(angle), scale, local);
    local.m[0][3] += pivotX - positionX;
    local.m[1][3] += pivotY - positionY;
    MMatrix34& top = display->topTransform();
    matrixMultiply(top, local, top);
    display->updateProjection(top);

    if (clipRight < clipLeft || clipBottom < clipTop) {
        MParallelTaskSet::draw(pass);
    } else {
        drawClipped(pass);
    }

    display->popTransform();
    display->updateProjection(display->topTransform());
}

void M2DCameraLocator::drawClipped(int pass) {
    MDisplay* display = MDisplay::getInstance();
    const MRectF kept = display->scissorRect();
    MRectF box;
    MDisplay::projectRect(box, clipLeft, clipTop, clipRight, clipBottom);
    const MRectF cut{std::max(box.left, kept.left), std::max(box.top, kept.top), std::min(box.right, kept.right),
                     std::min(box.bottom, kept.bottom)};
    if (cut.right < cut.left || cut.bottom < cut.top) return;
    display->setScissorRect(cut.left, cut.top, cut.right, cut.bottom);
    MParallelTaskSet::draw(pass);
    display->setScissorRect(kept.left, kept.top, kept.right, kept.bottom);
}
