#include "output/CrossFade.h"

#include <algorithm>

bool FadeAccepted(int milliseconds) { return milliseconds >= kShortestFadeMs && milliseconds <= kLongestFadeMs; }

unsigned FadeWeight(ULONGLONG elapsedMs, int fadeMs) {
    if (fadeMs <= 0 || elapsedMs >= static_cast<ULONGLONG>(fadeMs)) return kWholeFade;
    return static_cast<unsigned>((elapsedMs * kWholeFade + static_cast<ULONGLONG>(fadeMs) / 2) / fadeMs);
}

int FadeLength(int fadeMs, UINT turnMs) { return static_cast<int>(std::min<ULONGLONG>(fadeMs, turnMs)); }

uint32_t MixPixel(uint32_t from, uint32_t to, unsigned weight) {
    // Two channels at a time, in 1/256ths: within one level of the exact mix.
    const uint32_t w = std::min<uint32_t>((weight + 128) >> 8, 256), keep = 256 - w;
    const uint32_t redBlue = ((from & 0x00FF00FF) * keep + (to & 0x00FF00FF) * w + 0x00800080) >> 8;
    const uint32_t alphaGreen = ((from >> 8) & 0x00FF00FF) * keep + ((to >> 8) & 0x00FF00FF) * w + 0x00800080;
    return (redBlue & 0x00FF00FF) | (alphaGreen & 0xFF00FF00);
}

void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, size_t count, unsigned weight) {
    for (size_t i = 0; i < count; ++i) out[i] = MixPixel(from[i], to[i], weight);
}
