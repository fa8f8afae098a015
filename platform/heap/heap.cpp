#include "platform/heap/heap.h"

#include <malloc.h>

namespace platform {

void tuneHeapForRendering() {
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
}

}  // namespace platform
