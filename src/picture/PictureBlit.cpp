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

// Enlarging, and shrinking along one axis while the other is enlarged: one axis at a time, each
// output pixel a weighted sum of source pixels, the weights in 1 / 65536 adding up to the whole.
constexpr uint32_t kWholeWeight = 1u << 16;

// One axis's output pixels [from, to) of `out`, made from `in` source pixels: enlarged (or kept),
// a linear interpolation between the two pixel centres nearest the output pixel's centre, the
// edge pixels held beyond the outer centres; shrunk, the average of the area under the output
// pixel, as the shrink of both axes takes it.
class AxisTaps {
public:
    AxisTaps(int in, long long out, long long from, long long to) {
        const auto count = static_cast<size_t>(to - from);
        m_first.reserve(count);
        m_end.reserve(count);
        for (long long i = from; i < to; ++i) {
            if (out >= in) {
                Interpolate(in, out, i);
            } else {
                Average(in, out, i);
            }
            m_end.push_back(m_weights.size());
        }
    }

    size_t size() const { return m_first.size(); }
    int first(size_t i) const { return m_first[i]; }
    const uint32_t* weights(size_t i, size_t& count) const {
        const size_t begin = i == 0 ? 0 : m_end[i - 1];
        count = m_end[i] - begin;
        return m_weights.data() + begin;
    }
    // The source pixels any output pixel reads: [low(), high()).
    int low() const { return m_first.empty() ? 0 : m_first.front(); }
    int high() const {
        size_t count = 0;
        if (m_first.empty()) return 0;
        weights(size() - 1, count);
        return m_first.back() + static_cast<int>(count);
    }

private:
    void Interpolate(int in, long long out, long long i) {
        // The centre of output pixel i in source pixels is ((2i + 1) * in - out) / (2 * out).
        const long long numerator = (2 * i + 1) * in - out, denominator = 2 * out;
        const long long left = numerator >= 0 ? numerator / denominator : -((denominator - 1 - numerator) / denominator);
        const long long rest = numerator - left * denominator;
        const auto right = static_cast<uint32_t>((rest * kWholeWeight + denominator / 2) / denominator);
        if (left < 0 || left >= in - 1 || right == 0) {
            m_first.push_back(static_cast<int>(std::clamp<long long>(left, 0, in - 1)));
            m_weights.push_back(kWholeWeight);
        } else {
            m_first.push_back(static_cast<int>(left));
            m_weights.push_back(kWholeWeight - right);
            m_weights.push_back(right);
        }
    }
    void Average(int in, long long out, long long i) {
        // In units of 1 / out, output pixel i spans [i * in, (i + 1) * in) and source pixel j
        // [j * out, (j + 1) * out). Each weight is the difference of two rounded running
        // shares, so that they add up to the whole exactly.
        const long long begin = i * in, end = begin + in;
        const long long first = begin / out, last = (end + out - 1) / out;
        m_first.push_back(static_cast<int>(first));
        uint32_t before = 0;
        for (long long j = first; j < last; ++j) {
            const long long upTo = std::min(end, (j + 1) * out) - begin;
            const auto share = static_cast<uint32_t>((upTo * kWholeWeight + in / 2) / in);
            m_weights.push_back(share - before);
            before = share;
        }
    }

    std::vector<int> m_first;
    std::vector<size_t> m_end;
    std::vector<uint32_t> m_weights;
};

// What the picture's pixel, premultiplied, leaves of what lies under it.
uint32_t Over(uint32_t pixel, uint32_t under) {
    const uint32_t alpha = pixel >> 24;
    if (alpha == 255) return pixel;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t below = (under >> shift) & 0xFF;
        const uint32_t channel = ((pixel >> shift) & 0xFF) + (below * (255 - alpha) + 127) / 255;
        result |= std::min(channel, 255u) << shift;
    }
    return result;
}

// The rows shown of the picture, through the two axes' taps, into the target from (left, top).
// kChannels 3: opaque pixels; 4: premultiplied ones, laid over the target.
template <int kBytesPerPixel, int kChannels>
void Resample(const LockedRows& rows, const AxisTaps& columns, const AxisTaps& lines, const PixelTarget& target,
              int left, int top) {
    const int low = columns.low();
    // A channel of a row interpolated down the lines, in 1 / 256 of a level: at most 65280.
    std::vector<uint32_t> line(static_cast<size_t>(columns.high() - low) * kChannels);
    for (size_t y = 0; y < lines.size(); ++y) {
        std::fill(line.begin(), line.end(), 0u);
        size_t count = 0;
        const uint32_t* weights = lines.weights(y, count);
        for (size_t k = 0; k < count; ++k) {
            const unsigned char* from = rows.row(lines.first(y) + static_cast<int>(k)) + static_cast<ptrdiff_t>(low) * kBytesPerPixel;
            const uint32_t weight = weights[k];
            for (size_t at = 0; at < line.size(); at += kChannels, from += kBytesPerPixel) {
                for (int c = 0; c < kChannels; ++c) line[at + c] += from[c] * weight;
            }
        }
        for (uint32_t& value : line) value = (value + 128) >> 8;
        uint32_t* out = target.bits + static_cast<ptrdiff_t>(top + static_cast<int>(y)) * target.width + left;
        for (size_t x = 0; x < columns.size(); ++x) {
            const uint32_t* across = columns.weights(x, count);
            const uint32_t* source = line.data() + static_cast<size_t>(columns.first(x) - low) * kChannels;
            uint32_t sums[4] = {1u << 23, 1u << 23, 1u << 23, 1u << 23};  // rounding
            for (size_t k = 0; k < count; ++k, source += kChannels) {
                for (int c = 0; c < kChannels; ++c) sums[c] += source[c] * across[k];
            }
            const uint32_t pixel = (sums[2] >> 24) << 16 | (sums[1] >> 24) << 8 | sums[0] >> 24;
            if (kChannels == 3) {
                out[x] = 0xFF000000u | pixel;
            } else if ((sums[3] >> 24) != 0) {
                out[x] = Over(pixel | (sums[3] >> 24) << 24, out[x]);
            }
        }
    }
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

bool IsEnlarged(Gdiplus::Bitmap& picture, const RECT& place) {
    return place.right - static_cast<long long>(place.left) > picture.GetWidth() ||
           place.bottom - static_cast<long long>(place.top) > picture.GetHeight();
}

bool BlitEnlarged(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place) {
    const long long width = place.right - static_cast<long long>(place.left);
    const long long height = place.bottom - static_cast<long long>(place.top);
    const auto inWidth = static_cast<int>(picture.GetWidth()), inHeight = static_cast<int>(picture.GetHeight());
    if (width <= 0 || height <= 0 || inWidth <= 0 || inHeight <= 0) return false;
    // Only the output pixels on the target are worked out.
    const long long fromX = std::max(0LL, -static_cast<long long>(place.left));
    const long long toX = std::min(width, target.width - static_cast<long long>(place.left));
    const long long fromY = std::max(0LL, -static_cast<long long>(place.top));
    const long long toY = std::min(height, target.height - static_cast<long long>(place.top));
    if (fromX >= toX || fromY >= toY) return true;
    const AxisTaps columns(inWidth, width, fromX, toX), lines(inHeight, height, fromY, toY);
    const int left = static_cast<int>(place.left + fromX), top = static_cast<int>(place.top + fromY);
    const Gdiplus::Rect all(0, 0, inWidth, inHeight);
    if (!IsOpaquePicture(picture)) {
        const LockedRows rows(picture, all, PixelFormat32bppPARGB);
        if (!rows) return false;
        Resample<4, 4>(rows, columns, lines, target, left, top);
        return true;
    }
    int bytesPerPixel = 4;
    const Gdiplus::PixelFormat format = ReadFormat(picture, bytesPerPixel);
    const LockedRows rows(picture, all, format);
    if (!rows) return false;
    if (bytesPerPixel == 3) {
        Resample<3, 3>(rows, columns, lines, target, left, top);
    } else {
        Resample<4, 3>(rows, columns, lines, target, left, top);
    }
    return true;
}

void FlushToPixels(Gdiplus::Graphics& graphics) {
    graphics.Flush(Gdiplus::FlushIntentionSync);
    ::GdiFlush();
}
