// Rectangles in the tests: one comparison, edge by edge.
#pragma once

#include <windows.h>

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
