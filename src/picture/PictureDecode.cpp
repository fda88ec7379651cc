#include "picture/PictureDecode.h"

#include <cstdint>
#include <initializer_list>

#include "picture/ReducedJpeg.h"

namespace {

// A decoder may put off its work until the first draw; locking the pixels makes it decode
// the whole picture now, so that a damaged one is refused instead of drawn in part.
bool DecodesFully(Gdiplus::Bitmap& bitmap) {
    Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
    for (Gdiplus::PixelFormat format : {bitmap.GetPixelFormat(), Gdiplus::PixelFormat(PixelFormat32bppARGB)}) {
        Gdiplus::BitmapData data{};
        if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) == Gdiplus::Ok) {
            bitmap.UnlockBits(&data);
            return true;
        }
    }
    return false;
}

// Turns a picture stored with this Exif orientation upright: a clockwise turn, then a mirror
// image. The two are made apart: GDI+'s combined turn-and-flip values are not applied in the
// same order by every implementation.
bool TurnUpright(Gdiplus::Bitmap& bitmap, uint16_t orientation) {
    struct Step {
        Gdiplus::RotateFlipType turn;
        Gdiplus::RotateFlipType flip;
    };
    static const Step steps[] = {
        {Gdiplus::RotateNoneFlipNone, Gdiplus::RotateNoneFlipNone},  // 1: as stored
        {Gdiplus::RotateNoneFlipNone, Gdiplus::RotateNoneFlipX},     // 2: flipped left to right
        {Gdiplus::Rotate180FlipNone, Gdiplus::RotateNoneFlipNone},   // 3: upside down
        {Gdiplus::RotateNoneFlipNone, Gdiplus::RotateNoneFlipY},     // 4: flipped top to bottom
        {Gdiplus::Rotate90FlipNone, Gdiplus::RotateNoneFlipX},       // 5: transposed
        {Gdiplus::Rotate90FlipNone, Gdiplus::RotateNoneFlipNone},    // 6: stored a quarter turn anticlockwise
        {Gdiplus::Rotate270FlipNone, Gdiplus::RotateNoneFlipX},      // 7: transversed
        {Gdiplus::Rotate270FlipNone, Gdiplus::RotateNoneFlipNone},   // 8: stored a quarter turn clockwise
    };
    if (orientation < 1 || orientation > 8) return true;
    const Step& step = steps[orientation - 1];
    for (Gdiplus::RotateFlipType each : {step.turn, step.flip}) {
        if (each != Gdiplus::RotateNoneFlipNone && bitmap.RotateFlip(each) != Gdiplus::Ok) return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> DecodeUpright(const PictureFile& file, SIZE needed, bool mayReduce) {
    const PictureProbe& probe = file.probe();
    IStream* stream = file.stream();
    if (stream == nullptr) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> picture;
    const LONG width = static_cast<LONG>(probe.width), height = static_cast<LONG>(probe.height);
    if (mayReduce && probe.format == PictureFormat::Jpeg && needed.cx <= width / 2 && needed.cy <= height / 2) {
        picture = DecodeJpegReduced(stream, needed);
        const LARGE_INTEGER start{};
        if (!picture && FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return nullptr;
    }
    if (!picture) {
        picture = std::make_unique<Gdiplus::Bitmap>(stream);
        if (picture->GetLastStatus() != Gdiplus::Ok) return nullptr;
        if (picture->GetWidth() != probe.width || picture->GetHeight() != probe.height) return nullptr;
        if (!DecodesFully(*picture)) return nullptr;
    }
    if (!TurnUpright(*picture, probe.orientation)) return nullptr;
    return picture;
}
