// Arithmetic on sizes and corners read from the store, which may be anything: the sum or
// difference is formed in 64 bits and brought back into the int range at its nearer end,
// rather than overflowing.
#pragma once

#include <climits>

constexpr int SaturatedInt(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
