// Comparison and printing of the platform's rectangles and our arrow rows, for assertions.
// At global scope, where argument-dependent lookup finds them for RECT.
#pragma once

#include <windows.h>

#include <ostream>

#include "colourpicker/ColourButtonGeometry.h"

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline bool operator==(const ArrowRow& a, const ArrowRow& b) {
    return a.y == b.y && a.left == b.left && a.right == b.right;
}
inline std::ostream& operator<<(std::ostream& out, const ArrowRow& row) {
    return out << "{y " << row.y << ", x " << row.left << ".." << row.right << "}";
}
