// The rectangle of a view.
#include "engine/render/view.h"

MRectF MView::getRect() {
    const MViewPoint p = getPosition();
    const MViewSize s = getSize();
    return {p.x, p.y, p.x + s.width, p.y + s.height};
}
