#include "support/GdiSlots.h"

#include <windows.h>

#include <vector>

int FreeGdiSlots() {
    std::vector<HRGN> made;
    made.reserve(70000);
    for (;;) {
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        if (region == nullptr) break;
        made.push_back(region);
        if (made.size() > 1000000) break;
    }
    for (HRGN region : made) DeleteObject(region);
    return static_cast<int>(made.size());
}
