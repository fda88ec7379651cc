#include "output/FrameFill.h"

#include <algorithm>

namespace {

// A channel of a straight colour taken to `alpha`, rounded to the nearest level.
uint32_t Scale(uint32_t channel, uint32_t alpha) { return (channel * alpha + 127) / 255; }

}  // namespace

void FillFrame(const PixelTarget& target, int width, int height, uint32_t argb) {
    const int right = std::min(width, target.width), bottom = std::min(height, target.height);
    if (right <= 0 || bottom <= 0) return;
    const uint32_t alpha = argb >> 24;
    if (alpha == 0) return;
    uint32_t premultiplied = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) premultiplied |= Scale((argb >> shift) & 0xFF, alpha) << shift;
    for (int y = 0; y < bottom; ++y) {
        uint32_t* row = target.bits + static_cast<ptrdiff_t>(y) * target.width;
        if (alpha == 255) {
            std::fill(row, row + right, premultiplied);
            continue;
        }
        for (int x = 0; x < right; ++x) {
            uint32_t over = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                over |= (((premultiplied >> shift) & 0xFF) + Scale((row[x] >> shift) & 0xFF, 255 - alpha)) << shift;
            }
            row[x] = over;
        }
    }
}
