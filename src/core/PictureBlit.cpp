#include "core/PictureBlit.h"

#include <algorithm>
#include <cstring>

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

}  // namespace

bool IsOpaquePicture(Gdiplus::Bitmap& picture) {
    const Gdiplus::PixelFormat format = picture.GetPixelFormat();
    return !Gdiplus::IsAlphaPixelFormat(format) && !Gdiplus::IsIndexedPixelFormat(format);
}

bool BlitOpaque(Gdiplus::Bitmap& picture, const PixelTarget& target, const RECT& place) {
    const long long width = place.right - static_cast<long long>(place.left);
    const long long height = place.bottom - static_cast<long long>(place.top);
    if (width != picture.GetWidth() || height != picture.GetHeight()) return false;
    return CopyRows(picture, target, place.left, place.top);
}
