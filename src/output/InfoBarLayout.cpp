#include "output/InfoBarLayout.h"

#include "base/SaturatedInt.h"

InfoBarLayout LayoutInfoBar(int textHeight, int width, int height) {
    const long long c = textHeight;
    // The product is formed exactly, so that the result does not depend on the FPU.
    const long long d = static_cast<long long>(static_cast<double>(textHeight) * static_cast<double>(0.2f));
    const long long e = c + 2 * d;

    InfoBarLayout layout{};
    layout.bandX = -2.0f;
    layout.bandY = static_cast<float>(height - e);
    layout.bandWidth = static_cast<float>(static_cast<long long>(width) + 4);
    layout.bandHeight = static_cast<float>(e);
    layout.textPoint = POINT{SaturatedInt(d), SaturatedInt(height - c - d)};
    layout.margin = SaturatedInt(d);
    layout.bandRows = SaturatedInt(e);
    return layout;
}

int ClockLeft(const InfoBarLayout& bar, int width, int clockWidth) {
    return SaturatedInt(static_cast<long long>(width) - bar.margin - clockWidth);
}

bool BarTextSizeAccepted(int size) { return size >= 12 && size <= 400; }

int BarTextPixels(int barSize) { return BarTextSizeAccepted(barSize) ? barSize : kUsualBarTextSize; }
