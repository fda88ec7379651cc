#include "picture/ReducedJpeg.h"

#include <wincodec.h>

#include <atomic>

#include "base/UniqueHandle.h"

// The imaging component's interface for decoding transformed (here: scaled), which MinGW's
// headers do not declare; its identifier and methods are the platform's, in its order.
MIDL_INTERFACE("3B16811B-6A43-4ec9-B713-3D5A0C13B940")
IWICBitmapSourceTransform : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                                                 UINT stride, UINT bufferSize, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};
__CRT_UUID_DECL(IWICBitmapSourceTransform, 0x3b16811b, 0x6a43, 0x4ec9, 0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40)

namespace {

// COM on this thread for as long as it lives, where it was not already.
class ComApartment {
public:
    ComApartment() : m_entered(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_entered) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_entered;
};

// The natively decoded size, an eighth, a quarter or half of the whole, closest to `atLeast`
// without falling short of it; {0, 0} where none is smaller than the whole.
SIZE ReducedSize(IWICBitmapSourceTransform& transform, UINT width, UINT height, SIZE atLeast) {
    for (UINT scale : {8u, 4u, 2u}) {
        UINT reducedWidth = (width + scale - 1) / scale, reducedHeight = (height + scale - 1) / scale;
        if (reducedWidth < static_cast<UINT>(atLeast.cx) || reducedHeight < static_cast<UINT>(atLeast.cy)) continue;
        if (FAILED(transform.GetClosestSize(&reducedWidth, &reducedHeight))) return SIZE{0, 0};
        if (reducedWidth >= static_cast<UINT>(atLeast.cx) && reducedHeight >= static_cast<UINT>(atLeast.cy) &&
            (reducedWidth < width || reducedHeight < height)) {
            return SIZE{static_cast<LONG>(reducedWidth), static_cast<LONG>(reducedHeight)};
        }
    }
    return SIZE{0, 0};
}

std::atomic<bool> s_decoderCannotScale{false};

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> DecodeJpegReduced(IStream* stream, SIZE atLeast) {
    // A decoder that cannot scale may already have decoded the whole picture to say so (Wine's
    // does): asked once, not for every frame.
    if (s_decoderCannotScale) return nullptr;
    const ComApartment apartment;
    IWICImagingFactory* createdFactory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IWICImagingFactory), reinterpret_cast<void**>(&createdFactory)))) {
        return nullptr;
    }
    const UniqueCom<IWICImagingFactory> factory(createdFactory);
    IWICBitmapDecoder* createdDecoder = nullptr;
    if (FAILED(factory.get()->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                      &createdDecoder))) {
        return nullptr;
    }
    const UniqueCom<IWICBitmapDecoder> decoder(createdDecoder);
    IWICBitmapFrameDecode* createdFrame = nullptr;
    if (FAILED(decoder.get()->GetFrame(0, &createdFrame))) return nullptr;
    const UniqueCom<IWICBitmapFrameDecode> frame(createdFrame);
    IWICBitmapSourceTransform* createdTransform = nullptr;
    if (FAILED(frame.get()->QueryInterface(__uuidof(IWICBitmapSourceTransform),
                                           reinterpret_cast<void**>(&createdTransform)))) {
        s_decoderCannotScale = true;
        return nullptr;
    }
    const UniqueCom<IWICBitmapSourceTransform> transform(createdTransform);

    UINT width = 0, height = 0;
    if (FAILED(frame.get()->GetSize(&width, &height))) return nullptr;
    const SIZE reduced = ReducedSize(*transform.get(), width, height, atLeast);
    if (reduced.cx == 0) return nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform.get()->GetClosestPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) {
        return nullptr;
    }

    auto picture = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(reduced.cx), static_cast<INT>(reduced.cy),
                                                     PixelFormat24bppRGB);
    if (picture->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const Gdiplus::Rect all(0, 0, static_cast<INT>(reduced.cx), static_cast<INT>(reduced.cy));
    Gdiplus::BitmapData pixels{};
    if (picture->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &pixels) != Gdiplus::Ok) {
        return nullptr;
    }
    const bool copied =
        pixels.Stride > 0 &&
        SUCCEEDED(transform.get()->CopyPixels(nullptr, static_cast<UINT>(reduced.cx), static_cast<UINT>(reduced.cy),
                                              &format, WICBitmapTransformRotate0, static_cast<UINT>(pixels.Stride),
                                              static_cast<UINT>(pixels.Stride) * pixels.Height,
                                              static_cast<BYTE*>(pixels.Scan0)));
    picture->UnlockBits(&pixels);
    return copied ? std::move(picture) : nullptr;
}
