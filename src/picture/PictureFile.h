// A picture file read whole and closed before anything decodes it: the file is never held open
// (it may be replaced or deleted while it is shown). The bytes are read once, into memory that
// the decoder then reads in place through a stream. A file that names no picture the probe
// finds drawable is read and then let go.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <string>

#include "base/UniqueHandle.h"
#include "picture/PictureProbe.h"

// Why a picture was not shown, in the terms the operator can act on.
enum class PictureTrouble {
    None,
    NotFound,     // no file of that name
    Unreadable,   // there, but not to be read: no access, held open, no memory for it
    UnknownKind,  // not a picture of a format known here (a HEIC named .jpg, a text file)
    TooLarge,     // over kMaxBytes or kMaxPicturePixels
    Incomplete,   // cut short: a copy that has not finished, or never did
    Damaged,      // a known, whole format that its decoder refuses or that claims no size
    BeingWritten, // another program is still writing it (the playlist knows, not the file)
};

class PictureFile {
public:
    // A camera's largest JPEG is a few tens of MB; an uncompressed BMP of the largest picture
    // allowed (192 MB) is beyond what the 32-bit program should read every interval, and is not drawn.
    static constexpr size_t kMaxBytes = size_t{80} << 20;

    explicit PictureFile(const std::wstring& path);
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // A whole picture of a known format and an allowed size, ready to decode.
    bool drawable() const { return static_cast<bool>(m_stream); }
    // Why not, when not drawable().
    PictureTrouble trouble() const { return m_trouble; }
    // What the file's header says; only meaningful when drawable().
    const PictureProbe& probe() const { return m_probe; }
    // The bytes, at the start of the picture. A picture decoded from it may read from it for as
    // long as it lives, so it must not outlive this object.
    IStream* stream() const { return m_stream.get(); }

private:
    UniqueGlobal m_memory;
    UniqueCom<IStream> m_stream;  // declared after the memory it reads: released first
    PictureProbe m_probe;
    PictureTrouble m_trouble = PictureTrouble::None;
};
