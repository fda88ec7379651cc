#include "output/BarStrip.h"

#include <algorithm>

#include "core/Core.h"

namespace {

// A strip larger than this is not made; the text is then drawn at each update instead.
constexpr long long kLargestStripBytes = 32LL << 20;

}  // namespace

bool BarLook::operator==(const BarLook& other) const {
    return text == other.text && font == other.font && size == other.size && background == other.background &&
           colour == other.colour;
}

const DibSurface* BarStrip::Strip(const CCore& core, const BarLook& look, const InfoBarLayout& bar,
                                  SIZE textSize) {
    const int rows = bar.bandRows;
    if (m_strip && m_stripLook == look && m_strip->Height() == rows) return m_strip.get();
    m_strip.reset();
    // Room on either side for what a glyph draws beyond the measured text.
    const int pad = std::max(bar.margin, 2);
    const long long width = static_cast<long long>(textSize.cx) + 2LL * pad;
    if (rows <= 0 || textSize.cx <= 0 || width * rows * 4 > kLargestStripBytes) return nullptr;
    auto strip = std::make_unique<DibSurface>(nullptr, static_cast<int>(width), rows);
    if (!*strip) return nullptr;
    std::fill(strip->Bits(), strip->Bits() + static_cast<ptrdiff_t>(width) * rows, look.background);
    {
        Gdiplus::Graphics graphics(strip->Dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        // As the still bar: the text's top d below the band's top.
        core.drawStrSolid(graphics, POINT{pad, bar.margin}, 0, look.text,
                          look.font, look.colour, look.size, 0);
        FlushToPixels(graphics);
    }
    m_strip = std::move(strip);
    m_stripLook = look;
    m_stripPad = pad;
    return m_strip.get();
}

bool BarStrip::Draw(const CCore& core, const BarLook& look, const PixelTarget& frame, const InfoBarLayout& bar,
                    SIZE textSize, const std::vector<int>& lefts, int width) {
    const DibSurface* strip = Strip(core, look, bar, textSize);
    if (strip == nullptr) return false;
    // Settings refused by Apply may put the band anywhere: its top is clamped before it is an int.
    const int top = static_cast<int>(std::clamp<long long>(static_cast<long long>(bar.bandY), -bar.bandRows, frame.height));
    // The band reaches 2 pixels beyond the output's right edge, as the still bar's does.
    const int right = static_cast<int>(std::min<long long>(frame.width, static_cast<long long>(width) + 2));
    for (int row = std::max(top, 0); row < frame.height && row - top < strip->Height(); ++row) {
        uint32_t* out = frame.bits + static_cast<ptrdiff_t>(row) * frame.width;
        std::fill(out, out + std::max(right, 0), look.background);
        const uint32_t* in = strip->Bits() + static_cast<ptrdiff_t>(row - top) * strip->Width();
        for (int left : lefts) {
            const long long from = static_cast<long long>(left) - m_stripPad;
            const long long first = std::max(0LL, from), last = std::min<long long>(right, from + strip->Width());
            for (long long x = first; x < last; ++x) out[x] = in[x - from];
        }
    }
    return true;
}
