#include "output/BarStrip.h"

#include <algorithm>
#include <cmath>

#include "core/Core.h"
#include "base/ProgramText.h"

namespace {

// A strip larger than this is not made: a longer text holds only parts of itself, and a band
// too large even for those has its text drawn at each update instead.
constexpr long long kLargestStripBytes = 32LL << 20;
// About this many characters a piece: a strip of a part of the text draws a few of them.
constexpr size_t kPieceCharacters = 64;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == 0x3000; }

// Where a piece may end: between two characters that are not spaces (a measure leaves out
// trailing spaces), and not inside a surrogate pair.
bool MayCutBefore(const std::wstring& text, size_t at) {
    return !IsSpace(text[at - 1]) && !IsSpace(text[at]) && !(text[at] >= 0xDC00 && text[at] <= 0xDFFF);
}

}  // namespace

bool BarLook::operator==(const BarLook& other) const {
    return text == other.text && font == other.font && size == other.size && background == other.background &&
           colour == other.colour;
}

void BarStrip::Follow(const BarLook& look, const InfoBarLayout& bar, SIZE textSize, int right) {
    const int pad = std::max(bar.margin, 2);
    const long long whole = static_cast<long long>(textSize.cx) + 2LL * pad;
    const long long span = whole * bar.bandRows * 4 <= kLargestStripBytes ? 0 : 2LL * (std::max(right, 0) + pad);
    if (m_look == look && m_rows == bar.bandRows && m_margin == bar.margin && m_textSize.cx == textSize.cx &&
        m_textSize.cy == textSize.cy && m_span == span) {
        return;
    }
    m_windows.clear();
    m_pieces.clear();
    m_look = look;
    m_rows = bar.bandRows;
    m_margin = bar.margin;
    m_textSize = textSize;
    m_pad = pad;
    m_span = span;
}

std::unique_ptr<DibSurface> BarStrip::NewStrip(long long width) const {
    if (m_rows <= 0 || width <= 0 || width * m_rows * 4 > kLargestStripBytes) return nullptr;
    auto strip = std::make_unique<DibSurface>(nullptr, static_cast<int>(width), m_rows);
    if (!*strip) return nullptr;
    std::fill(strip->Bits(), strip->Bits() + static_cast<ptrdiff_t>(width) * m_rows, m_look.background);
    return strip;
}

void BarStrip::CutIntoPieces(const CCore& core) {
    const std::wstring wide = WideFromProgramText(m_look.text);
    std::vector<std::string> texts;
    for (size_t begin = 0; begin < wide.size();) {
        size_t end = std::min(wide.size(), begin + kPieceCharacters);
        while (end < wide.size() && !MayCutBefore(wide, end)) ++end;
        texts.push_back(ProgramTextFromWide(wide.substr(begin, end - begin)));
        begin = end;
    }
    // Each measure holds the glyphs' advances and the same room around them that the whole
    // text's measure holds once: that room is what the pieces' measures add up to beyond it.
    std::vector<long long> widths;
    long long sum = 0;
    for (const std::string& text : texts) {
        widths.push_back(core.getTextBounds(m_look.font, m_look.size, text).cx);
        sum += widths.back();
    }
    const double room = texts.size() > 1 ? static_cast<double>(sum - m_textSize.cx) / static_cast<double>(texts.size() - 1) : 0.0;
    long long before = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        m_pieces.push_back(Piece{std::move(texts[i]), std::llround(static_cast<double>(before) - room * static_cast<double>(i))});
        before += widths[i];
    }
}

int BarStrip::Cover(const CCore& core, long long need, long long needEnd) {
    for (size_t i = 0; i < m_windows.size(); ++i) {
        Window& window = m_windows[i];
        if (window.from <= need && needEnd <= window.from + window.strip->Width()) {
            window.used = true;
            return static_cast<int>(i);
        }
    }
    const long long from = m_span == 0 ? -m_pad : need;
    std::unique_ptr<DibSurface> strip = NewStrip(m_span == 0 ? m_textSize.cx + 2LL * m_pad : m_span);
    if (!strip) return -1;
    {
        Gdiplus::Graphics graphics(strip->Dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        // As the still bar: the text's top d below the band's top.
        if (m_span == 0) {
            core.drawStrSolid(graphics, POINT{m_pad, m_margin}, 0, m_look.text, m_look.font, m_look.colour,
                              m_look.size, 0);
        } else {
            if (m_pieces.empty()) CutIntoPieces(core);
            // The pieces that reach into the strip, a text height either side for what their
            // glyphs draw beyond them, drawn as one text.
            const long long end = from + strip->Width(), reach = m_textSize.cy;
            std::string text;
            long long left = 0;
            for (size_t i = 0; i < m_pieces.size(); ++i) {
                const long long next = i + 1 < m_pieces.size() ? m_pieces[i + 1].left : m_textSize.cx;
                if (next < from - reach || m_pieces[i].left > end + reach) continue;
                if (text.empty()) left = m_pieces[i].left;
                text += m_pieces[i].text;
            }
            if (!text.empty()) {
                core.drawStrSolid(graphics, POINT{static_cast<LONG>(left - from), m_margin}, 0, text, m_look.font,
                                  m_look.colour, m_look.size, 0);
            }
        }
        FlushToPixels(graphics);
    }
    // In the place of a strip no copy of this update has used.
    const auto unused = std::find_if(m_windows.begin(), m_windows.end(), [](const Window& w) { return !w.used; });
    const auto at = static_cast<size_t>(unused - m_windows.begin());
    if (unused == m_windows.end()) m_windows.emplace_back();
    m_windows[at] = Window{std::move(strip), from, true};
    return static_cast<int>(at);
}

bool BarStrip::Draw(const CCore& core, const BarLook& look, const PixelTarget& frame, const InfoBarLayout& bar,
                    SIZE textSize, const std::vector<int>& lefts, int width) {
    // The band reaches 2 pixels beyond the output's right edge, as the still bar's does.
    const int right = static_cast<int>(std::min<long long>(frame.width, static_cast<long long>(width) + 2));
    Follow(look, bar, textSize, right);
    if (m_rows <= 0 || textSize.cx <= 0) return false;
    for (Window& window : m_windows) window.used = false;
    // The strips first: a copy that cannot have one leaves the frame untouched. Each copy takes
    // the text's columns that show, and the pad either side of the text.
    struct Shown {
        int window;
        long long origin;    // the frame's column of the strip's first
        long long from, to;  // the frame's columns it gives
    };
    std::vector<Shown> shown;
    for (int left : lefts) {
        const long long need = std::max<long long>(-m_pad, -static_cast<long long>(left));
        const long long needEnd = std::min<long long>(textSize.cx + m_pad, static_cast<long long>(right) - left);
        if (need >= needEnd) continue;
        const int window = Cover(core, need, needEnd);
        if (window < 0) return false;
        shown.push_back(Shown{window, left + m_windows[static_cast<size_t>(window)].from, left + need, left + needEnd});
    }
    // Settings refused by Apply may put the band anywhere: its top is clamped before it is an int.
    const int top = static_cast<int>(std::clamp<long long>(static_cast<long long>(bar.bandY), -bar.bandRows, frame.height));
    for (int row = std::max(top, 0); row < frame.height && row - top < m_rows; ++row) {
        uint32_t* out = frame.bits + static_cast<ptrdiff_t>(row) * frame.width;
        std::fill(out, out + std::max(right, 0), look.background);
        for (const Shown& copy : shown) {
            const Window& window = m_windows[static_cast<size_t>(copy.window)];
            const uint32_t* in = window.strip->Bits() + static_cast<ptrdiff_t>(row - top) * window.strip->Width();
            for (long long x = copy.from; x < copy.to; ++x) out[x] = in[x - copy.origin];
        }
    }
    return true;
}
