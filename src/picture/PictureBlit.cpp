#include "picture/PictureBlit.h"

#include <algorithm>
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

// The rows read in the decoder's own layout where it is 24-bpp (no converted copy of a large
// picture), each pixel made opaque.
bool CopyRows(Gdiplus::Bitmap& picture, const PixelTarget& target, int x, int y) {
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = static_cast<int>(std::min<long long>(target.width, static_cast<long long>(x) + width));
    const int bottom = static_cast<int>(std::min<long long>(target.height, static_cast<long long>(y) + height));
    if (left >= right || top >= bottom) return true;
    int bytesPerPixel = 4;
    const Gdiplus::PixelFormat format = ReadFormat(picture, bytesPerPixel);
    const LockedRows rows(picture, Gdiplus::Rect(left - x, top - y, right - left, bottom - top), format);
    if (!rows) return false;
    for (int row = top; row < bottom; ++row) {
        const unsigned char* from = rows.row(row - top);
        uint32_t* to = target.bits + static_cast<ptrdiff_t>(row) * target.width + left;
        for (int column = left; column < right; ++column, from += bytesPerPixel) {
            *to++ = 0xFF000000u | static_cast<uint32_t>(from[2]) << 16 | static_cast<uint32_t>(from[1]) << 8 | from[0];
        }
    }
    return true;
}

// Shrinking, each source pixel lies in at most two output pixels. In units of 1 / (in * out),
// output pixel i spans [i * in, (i + 1) * in) and source pixel j spans [j * out, (j + 1) * out):
// `weight` of it falls in output pixel `first`, the rest of `out` in the next one.
struct Share {
    int first;
    uint32_t weight;
};
std::vector<Share> Shares(int in, int out) {
    std::vector<Share> shares(static_cast<size_t>(in));
    for (int j = 0; j < in; ++j) {
        const long long from = static_cast<long long>(j) * out;
        const int first = static_cast<int>(from / in);
        const long long end = std::min(from + out, static_cast<long long>(first + 1) * in);
        shares[static_cast<size_t>(j)] = Share{first, static_cast<uint32_t>(end - from)};
    }
    return shares;
}

// One source row's pixels, weighted, added into the output columns (three channels each, and
// one column to spare past the last for a share of nothing).
template <int kBytesPerPixel>
void AddRow(const unsigned char* pixels, const std::vector<Share>& columns, uint32_t out, uint32_t* line) {
    for (const Share& share : columns) {
        uint32_t* first = line + static_cast<ptrdiff_t>(share.first) * 3;
        const uint32_t weight = share.weight, rest = out - share.weight;
        first[0] += pixels[0] * weight;
        first[1] += pixels[1] * weight;
        first[2] += pixels[2] * weight;
        first[3] += pixels[0] * rest;
        first[4] += pixels[1] * rest;
        first[5] += pixels[2] * rest;
        pixels += kBytesPerPixel;
    }
}

// The output rows being gathered: the one a source row starts in and the next, which it may
// reach into. A channel's sum, in units of 1 / (inWidth * inHeight) of its value, can pass 32
// bits for the largest pictures; it is then kept `shift` bits coarser, an error of at most
// 2 / inWidth of a level.
class RowSums {
public:
    RowSums(size_t channels, int inWidth, int inHeight) : m_current(channels), m_next(channels) {
        uint64_t whole = static_cast<uint64_t>(inWidth) * static_cast<uint64_t>(inHeight);
        while ((whole >> m_shift) * 256 > UINT32_MAX) ++m_shift;
        whole >>= m_shift;
        m_half = static_cast<uint32_t>(whole / 2);
        m_inverse = static_cast<uint32_t>((uint64_t{1} << 32) / whole);  // 2^32 / whole, rounded down
        if (whole > 1) ++m_inverse;
    }

    // A source row's columns with `weight` in the row gathered and `rest` in the next.
    void add(const uint32_t* line, uint32_t weight, uint32_t rest) {
        const size_t count = m_current.size();
        uint32_t* current = m_current.data();
        for (size_t k = 0; k < count; ++k) current[k] += ((line[k] >> m_shift) * weight);
        if (rest == 0) return;
        uint32_t* next = m_next.data();
        for (size_t k = 0; k < count; ++k) next[k] += ((line[k] >> m_shift) * rest);
    }
    // The gathered row as pixels into `out` from column `left` (clipped to `width`); the next
    // row's sums become the ones gathered. A row outside the target passes `out` null.
    void emit(uint32_t* out, int left, int width) {
        const long long columns = static_cast<long long>(m_current.size() / 3);
        const long long from = std::max(0LL, -static_cast<long long>(left));
        const long long to = std::min(columns, static_cast<long long>(width) - left);
        const uint32_t* sums = m_current.data();
        for (long long i = from; out != nullptr && i < to; ++i) {
            const auto channel = [&](int k) {
                const uint64_t scaled = static_cast<uint64_t>(sums[i * 3 + k] + m_half) * m_inverse;
                return std::min(255u, static_cast<uint32_t>(scaled >> 32));
            };
            out[left + i] = 0xFF000000u | (channel(2) << 16) | (channel(1) << 8) | channel(0);
        }
        m_current.swap(m_next);
        std::fill(m_next.begin(), m_next.end(), 0u);
    }

private:
    std::vector<uint32_t> m_current;
    std::vector<uint32_t> m_next;
    int m_shift = 0;
    uint32_t m_half = 0;
    uint32_t m_inverse = 0;
};

bool Shrink(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place) {
    const int inWidth = static_cast<int>(picture.GetWidth());
    const int inHeight = static_cast<int>(picture.GetHeight());
    const int outWidth = place.right - place.left;
    const int outHeight = place.bottom - place.top;
    // A column's sum, 255 * inWidth at most, is held in 32 bits.
    if (inWidth > static_cast<int>(UINT32_MAX / 255)) return false;
    int bytesPerPixel = 4;
    const Gdiplus::PixelFormat format = ReadFormat(picture, bytesPerPixel);
    const LockedRows rows(picture, Gdiplus::Rect(0, 0, inWidth, inHeight), format);
    if (!rows) return false;

    const std::vector<Share> columns = Shares(inWidth, outWidth);
    const std::vector<Share> lines = Shares(inHeight, outHeight);
    std::vector<uint32_t> line((static_cast<size_t>(outWidth) + 1) * 3);
    RowSums sums(static_cast<size_t>(outWidth) * 3, inWidth, inHeight);
    const auto rowOf = [&](int output) -> uint32_t* {
        const int y = place.top + output;
        return y >= 0 && y < target.height ? target.bits + static_cast<ptrdiff_t>(y) * target.width : nullptr;
    };
    int output = 0;
    for (int source = 0; source < inHeight; ++source) {
        const Share& share = lines[static_cast<size_t>(source)];
        for (; output < share.first; ++output) sums.emit(rowOf(output), place.left, target.width);
        std::fill(line.begin(), line.end(), 0u);
        if (bytesPerPixel == 3) {
            AddRow<3>(rows.row(source), columns, static_cast<uint32_t>(outWidth), line.data());
        } else {
            AddRow<4>(rows.row(source), columns, static_cast<uint32_t>(outWidth), line.data());
        }
        sums.add(line.data(), share.weight, static_cast<uint32_t>(outHeight) - share.weight);
    }
    sums.emit(rowOf(output), place.left, target.width);
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

void FlushToPixels(Gdiplus::Graphics& graphics) {
    graphics.Flush(Gdiplus::FlushIntentionSync);
    ::GdiFlush();
}
