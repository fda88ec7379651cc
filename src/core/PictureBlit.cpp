#include "core/PictureBlit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The picture's pixels in a part of it, read-only in the format asked, for as long as it lives.
class LockedRows {
public:
    LockedRows(Gdiplus::Bitmap& picture, const Gdiplus::Rect& area, Gdiplus::PixelFormat format)
        : m_picture(picture),
          m_locked(picture.LockBits(&area, Gdiplus::ImageLockModeRead, format, &m_data) == Gdiplus::Ok) {}
    ~LockedRows() {
        if (m_locked) m_picture.UnlockBits(&m_data);
    }
    LockedRows(const LockedRows&) = delete;
    LockedRows& operator=(const LockedRows&) = delete;

    explicit operator bool() const { return m_locked; }
    const unsigned char* row(int y) const {
        return static_cast<const unsigned char*>(m_data.Scan0) + static_cast<ptrdiff_t>(y) * m_data.Stride;
    }

private:
    Gdiplus::Bitmap& m_picture;
    Gdiplus::BitmapData m_data{};
    bool m_locked;
};

// The decoder's own layout where it is one of the two read here; 32-bpp otherwise.
Gdiplus::PixelFormat ReadFormat(Gdiplus::Bitmap& picture, int& bytesPerPixel) {
    const Gdiplus::PixelFormat own = picture.GetPixelFormat();
    bytesPerPixel = own == PixelFormat24bppRGB ? 3 : 4;
    return own == PixelFormat24bppRGB ? own : PixelFormat32bppRGB;
}

bool CopyRows(Gdiplus::Bitmap& picture, const PixelTarget& target, int x, int y) {
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = static_cast<int>(std::min<long long>(target.width, static_cast<long long>(x) + width));
    const int bottom = static_cast<int>(std::min<long long>(target.height, static_cast<long long>(y) + height));
    if (left >= right || top >= bottom) return true;
    const LockedRows rows(picture, Gdiplus::Rect(left - x, top - y, right - left, bottom - top),
                          PixelFormat32bppARGB);
    if (!rows) return false;
    for (int row = top; row < bottom; ++row) {
        std::memcpy(target.bits + static_cast<ptrdiff_t>(row) * target.width + left, rows.row(row - top),
                    static_cast<size_t>(right - left) * 4);
    }
    return true;
}

// Where each output column (or row) takes its source pixels from: in units of 1 / (out * in),
// output pixel i spans [i * in, (i + 1) * in) and source pixel j spans [j * out, (j + 1) * out).
struct Span {
    int first;
    int last;  // inclusive
};
std::vector<Span> Spans(int in, int out) {
    std::vector<Span> spans(static_cast<size_t>(out));
    for (int i = 0; i < out; ++i) {
        const long long from = static_cast<long long>(i) * in, to = static_cast<long long>(i + 1) * in;
        spans[static_cast<size_t>(i)] = Span{static_cast<int>(from / out), static_cast<int>((to - 1) / out)};
    }
    return spans;
}
long long Overlap(int source, int output, int in, int out) {
    const long long from = std::max(static_cast<long long>(source) * out, static_cast<long long>(output) * in);
    const long long to =
        std::min(static_cast<long long>(source + 1) * out, static_cast<long long>(output + 1) * in);
    return to > from ? to - from : 0;
}

bool Shrink(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place) {
    const int inWidth = static_cast<int>(picture.GetWidth());
    const int inHeight = static_cast<int>(picture.GetHeight());
    const int outWidth = place.right - place.left;
    const int outHeight = place.bottom - place.top;
    int bytesPerPixel = 4;
    const Gdiplus::PixelFormat format = ReadFormat(picture, bytesPerPixel);
    const LockedRows rows(picture, Gdiplus::Rect(0, 0, inWidth, inHeight), format);
    if (!rows) return false;

    const std::vector<Span> columns = Spans(inWidth, outWidth);
    std::vector<double> line(static_cast<size_t>(outWidth) * 3);  // one source row, shrunk across
    std::vector<double> sum(line.size());                          // the output row being gathered
    const double whole = static_cast<double>(inWidth) * inHeight;
    int output = 0;
    for (int source = 0; source < inHeight && output < outHeight; ++source) {
        const unsigned char* pixels = rows.row(source);
        for (int i = 0; i < outWidth; ++i) {
            double blue = 0, green = 0, red = 0;
            for (int j = columns[static_cast<size_t>(i)].first; j <= columns[static_cast<size_t>(i)].last; ++j) {
                const double weight = static_cast<double>(Overlap(j, i, inWidth, outWidth));
                const unsigned char* pixel = pixels + static_cast<ptrdiff_t>(j) * bytesPerPixel;
                blue += pixel[0] * weight;
                green += pixel[1] * weight;
                red += pixel[2] * weight;
            }
            line[static_cast<size_t>(i) * 3] = blue;
            line[static_cast<size_t>(i) * 3 + 1] = green;
            line[static_cast<size_t>(i) * 3 + 2] = red;
        }
        // The source row belongs to this output row, and its last part perhaps to the next.
        for (;;) {
            const double weight = static_cast<double>(Overlap(source, output, inHeight, outHeight));
            for (size_t k = 0; k < sum.size(); ++k) sum[k] += line[k] * weight;
            const bool ends = static_cast<long long>(source + 1) * outHeight >= static_cast<long long>(output + 1) * inHeight;
            if (!ends) break;
            const int y = place.top + output;
            if (y >= 0 && y < target.height) {
                uint32_t* out = target.bits + static_cast<ptrdiff_t>(y) * target.width;
                for (int i = 0; i < outWidth; ++i) {
                    const int x = place.left + i;
                    if (x < 0 || x >= target.width) continue;
                    const auto channel = [&](size_t k) {
                        return static_cast<uint32_t>(std::min(255.0, sum[static_cast<size_t>(i) * 3 + k] / whole + 0.5));
                    };
                    out[x] = 0xFF000000u | (channel(2) << 16) | (channel(1) << 8) | channel(0);
                }
            }
            std::fill(sum.begin(), sum.end(), 0.0);
            if (++output >= outHeight || static_cast<long long>(source + 1) * outHeight == static_cast<long long>(output) * inHeight) break;
        }
    }
    return true;
}

}  // namespace

bool IsOpaquePicture(Gdiplus::Bitmap& picture) {
    const Gdiplus::PixelFormat format = picture.GetPixelFormat();
    return !Gdiplus::IsAlphaPixelFormat(format) && !Gdiplus::IsIndexedPixelFormat(format);
}

bool BlitOpaque(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place) {
    const long long width = place.right - static_cast<long long>(place.left);
    const long long height = place.bottom - static_cast<long long>(place.top);
    const long long inWidth = picture.GetWidth(), inHeight = picture.GetHeight();
    if (width <= 0 || height <= 0 || width > inWidth || height > inHeight) return false;
    if (width == inWidth && height == inHeight) return CopyRows(picture, target, place.left, place.top);
    return Shrink(picture, target, place);
}
