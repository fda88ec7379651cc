#include "picture/PictureFile.h"

#include "store/AtomicFile.h"

namespace {

// A stream of the first `length` bytes of the memory, read in place; the memory stays the
// caller's and must outlive the stream.
UniqueCom<IStream> StreamOn(HGLOBAL memory, size_t length) {
    IStream* created = nullptr;
    if (CreateStreamOnHGlobal(memory, FALSE, &created) != S_OK) return UniqueCom<IStream>();
    UniqueCom<IStream> stream(created);
    ULARGE_INTEGER size{};
    size.QuadPart = length;
    // The memory may be larger than what was read: a file shortened while it was read.
    if (stream && GlobalSize(memory) != length && stream.get()->SetSize(size) != S_OK) return UniqueCom<IStream>();
    return stream;
}

PictureTrouble ReadTrouble(FileRead read) {
    switch (read) {
    case FileRead::Read: return PictureTrouble::None;
    case FileRead::Missing: return PictureTrouble::NotFound;
    case FileRead::Unreadable: return PictureTrouble::Unreadable;
    case FileRead::TooLarge: return PictureTrouble::TooLarge;
    }
    return PictureTrouble::Unreadable;
}

PictureTrouble ProbeTrouble(const PictureProbe& probe) {
    if (IsDrawablePicture(probe)) return PictureTrouble::None;
    if (probe.format == PictureFormat::Unknown) return PictureTrouble::UnknownKind;
    if (!probe.complete) return PictureTrouble::Incomplete;
    return probe.width == 0 || probe.height == 0 ? PictureTrouble::Damaged : PictureTrouble::TooLarge;
}

}  // namespace

PictureFile::PictureFile(const std::wstring& path) {
    unsigned char* bytes = nullptr;
    const auto room = [&](size_t size) -> char* {
        m_memory.reset(GlobalAlloc(GMEM_MOVEABLE, size > 0 ? size : 1));
        bytes = m_memory ? static_cast<unsigned char*>(GlobalLock(m_memory.get())) : nullptr;
        return reinterpret_cast<char*>(bytes);
    };
    size_t length = 0;
    const FileRead result = AtomicFile::read(path, kMaxBytes, room, length);
    const bool read = result == FileRead::Read;
    const PictureProbe probe = read ? ProbePicture(bytes, length) : PictureProbe{};
    if (m_memory) GlobalUnlock(m_memory.get());
    m_trouble = read ? ProbeTrouble(probe) : ReadTrouble(result);
    if (m_trouble == PictureTrouble::None) m_stream = StreamOn(m_memory.get(), length);
    if (!m_stream) {
        if (m_trouble == PictureTrouble::None) m_trouble = PictureTrouble::Unreadable;
        m_memory.reset();
        return;
    }
    m_probe = probe;
}
