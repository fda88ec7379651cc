// Opt-in "fade=N": the change of picture as a cross-fade of N milliseconds, the new frame mixed
// over the one shown, linearly in time. Pixels are premultiplied ARGB, as the frames hold them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr int kShortestFadeMs = 100;
constexpr int kLongestFadeMs = 5000;
// 0 is off; otherwise 100 to 5000 milliseconds.
bool FadeAccepted(int milliseconds);

// The fade's weights: 0 shows the old frame, kWholeFade the new one.
constexpr unsigned kWholeFade = 1u << 16;
// How far a fade of `fadeMs` is `elapsedMs` after its start: by the clock, so that a slow step
// makes the next one further along, never the fade longer.
unsigned FadeWeight(ULONGLONG elapsedMs, int fadeMs);
// A fade lasts no longer than the turn it begins: the next change starts from the whole frame.
int FadeLength(int fadeMs, UINT turnMs);

// from × (1 − t) + to × t for each channel, t = weight / kWholeFade, within one level of the exact
// mix (t is taken in 256ths); the ends are exact.
uint32_t MixPixel(uint32_t from, uint32_t to, unsigned weight);
void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, size_t count, unsigned weight);
