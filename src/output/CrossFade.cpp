#include "output/CrossFade.h"

#include <algorithm>

bool FadeAccepted(int milliseconds) { return milliseconds >= kShortestFadeMs && milliseconds <= kLongestFadeMs; }

unsigned FadeWeight(ULONGLONG elapsedMs, int fadeMs) {
    if (fadeMs <= 0 || elapsedMs >= static_cast<ULONGLONG>(fadeMs)) return kWholeFade;
    return static_cast<unsigned>((elapsedMs * kWholeFade + static_cast<ULONGLONG>(fadeMs) / 2) / fadeMs);
}

int FadeLength(int fadeMs, UINT turnMs) { return static_cast<int>(std::min<ULONGLONG>(fadeMs, turnMs)); }

uint32_t MixPixel(uint32_t from, uint32_t to, unsigned weight) {
    const uint32_t keep = kWholeFade - weight;
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        mixed |= ((a * keep + b * weight + kWholeFade / 2) >> 16) << shift;
    }
    return mixed;
}

void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, size_t count, unsigned weight) {
    for (size_t i = 0; i < count; ++i) out[i] = from[i] == to[i] ? from[i] : MixPixel(from[i], to[i], weight);
}
