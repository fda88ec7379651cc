#include "picture/PictureFit.h"

#include <algorithm>
#include <cctype>

#include "base/SaturatedInt.h"

PictureFit ParsePictureFit(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    if (lower == "contain") return PictureFit::Contain;
    if (lower == "cover") return PictureFit::Cover;
    if (lower == "stretch") return PictureFit::Stretch;
    return PictureFit::None;
}

const char* PictureFitName(PictureFit fit) {
    switch (fit) {
    case PictureFit::Contain: return "contain";
    case PictureFit::Cover: return "cover";
    case PictureFit::Stretch: return "stretch";
    case PictureFit::None: break;
    }
    return "none";
}

RECT FitPicture(SIZE picture, SIZE area, PictureFit fit) {
    if (fit == PictureFit::None || picture.cx <= 0 || picture.cy <= 0 || area.cx <= 0 || area.cy <= 0) {
        return RECT{0, 0, picture.cx, picture.cy};
    }
    if (fit == PictureFit::Stretch) return RECT{0, 0, area.cx, area.cy};
    // The picture is relatively wider than the area when pw / ph > aw / ah.
    const long long pw = picture.cx, ph = picture.cy, aw = area.cx, ah = area.cy;
    const bool wider = pw * ah > ph * aw;
    // Contain matches the relatively longer side to the area, Cover the shorter one.
    const bool byWidth = (fit == PictureFit::Contain) == wider;
    const long long width = byWidth ? aw : std::max(1LL, (pw * ah + ph / 2) / ph);
    const long long height = byWidth ? std::max(1LL, (ph * aw + pw / 2) / pw) : ah;
    const int left = SaturatedInt((aw - width) / 2);
    const int top = SaturatedInt((ah - height) / 2);
    return RECT{left, top, SaturatedInt(left + width), SaturatedInt(top + height)};
}
