#pragma once
// The display as the engine sees it before it opens a window.

namespace platform {

struct DisplayDpi {
    float x;
    float y;
};

// The first display's horizontal and vertical dots per inch, or 96 by 96 when
// there is no display or it does not say.
DisplayDpi displayDpi();

}  // namespace platform
