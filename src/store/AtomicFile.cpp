#include "store/AtomicFile.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#include "base/ProgramText.h"
#include "base/ScopeExit.h"
#include "base/UniqueHandle.h"

namespace {

// At most this much per ReadFile/WriteFile call, well inside a DWORD.
constexpr size_t kChunk = 1u << 20;

bool WriteAll(HANDLE file, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD want = static_cast<DWORD>(std::min(kChunk, bytes.size() - done));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, want, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// One attempt; Unreadable with `held` set when another program holds the file open.
FileRead ReadOnce(const std::wstring& path, size_t maxBytes, const std::function<char*(size_t)>& room, size_t& length,
                  bool& held) {
    held = false;
    length = 0;
    // Others may go on reading, writing or replacing the file while we read it.
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileRead::Missing;
        held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        return FileRead::Unreadable;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return FileRead::Unreadable;
    const auto fileSize = static_cast<unsigned long long>(size.QuadPart);
    if (fileSize > maxBytes || fileSize > std::numeric_limits<size_t>::max() / 2) return FileRead::TooLarge;
    const auto want = static_cast<size_t>(fileSize);
    char* bytes = room(want);
    if (bytes == nullptr) return FileRead::TooLarge;
    while (length < want) {
        const DWORD chunk = static_cast<DWORD>(std::min(kChunk, want - length));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes + length, chunk, &got, nullptr)) {
            held = GetLastError() == ERROR_LOCK_VIOLATION;
            length = 0;
            return FileRead::Unreadable;
        }
        if (got == 0) break;  // shortened while we read: keep what was there
        length += got;
    }
    return FileRead::Read;
}

bool IsDenial(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_NETWORK_ACCESS_DENIED;
}

// Whether a replacement of `path` that failed with `error` failed because another program holds
// the file open. Some systems (Wine among them) report that as a denial, as for a read-only
// file: the file is then opened as a reader would, which only a holder refuses.
bool IsHeld(const std::wstring& path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    UniqueFile probe(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

bool IsFileName(const std::string& path) { return !path.empty() && path.find('\0') == std::string::npos; }

bool IsFileName(const std::wstring& path) { return !path.empty() && path.find(L'\0') == std::wstring::npos; }

FileRead AtomicFile::read(const std::string& path, size_t maxBytes, std::string& bytes, unsigned patienceMs) {
    bytes.clear();
    size_t length = 0;
    const auto room = [&bytes](size_t size) -> char* {
        try {
            bytes.resize(size);
        } catch (const std::bad_alloc&) {
            return nullptr;
        } catch (const std::length_error&) {
            return nullptr;
        }
        return &bytes[0];
    };
    const FileRead result = read(path, maxBytes, room, length, patienceMs);
    bytes.resize(result == FileRead::Read ? length : 0);
    return result;
}

FileRead AtomicFile::read(const std::string& path, size_t maxBytes, const std::function<char*(size_t)>& room,
                          size_t& length, unsigned patienceMs) {
    return read(WideFromProgramText(path), maxBytes, room, length, patienceMs);
}

FileRead AtomicFile::read(const std::wstring& path, size_t maxBytes, const std::function<char*(size_t)>& room,
                          size_t& length, unsigned patienceMs) {
    length = 0;
    if (!IsFileName(path)) return FileRead::Missing;
    constexpr unsigned kPauseMs = 100;
    for (unsigned waited = 0;; waited += kPauseMs) {
        bool held = false;
        const FileRead result = ReadOnce(path, maxBytes, room, length, held);
        if (!held || waited >= patienceMs) return result;
        Sleep(kPauseMs);
    }
}

FileWrite AtomicFile::write(const std::string& narrowPath, const std::string& bytes, unsigned patienceMs) {
    if (!IsFileName(narrowPath)) return FileWrite::Failed;
    const std::wstring path = WideFromProgramText(narrowPath);
    // A read-only file stays as it is (Windows refuses to replace one, not every system does),
    // and a folder is never replaced by a file.
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return FileWrite::Denied;
    }
    // Beside the target, so that the replace is a rename within one folder.
    const std::wstring temporary = path + L".tmp";
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) return IsDenial(GetLastError()) ? FileWrite::Denied : FileWrite::Failed;
    // Whatever does not end in the replace leaves no temporary file behind.
    auto removeTemporary = ScopeExit([&] { DeleteFileW(temporary.c_str()); });
    const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    // A write the system could not finish may show only when the file is closed.
    const bool closed = CloseHandle(file.release()) != FALSE;
    if (!closed || !written) return FileWrite::Failed;
    constexpr unsigned kPauseMs = 100;
    for (unsigned waited = 0;; waited += kPauseMs) {
        if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            removeTemporary.release();
            return FileWrite::Written;
        }
        const DWORD error = GetLastError();
        const bool held = IsHeld(path, error);
        if (!held || waited >= patienceMs) {
            return held ? FileWrite::Held : IsDenial(error) ? FileWrite::Denied : FileWrite::Failed;
        }
        Sleep(kPauseMs);
    }
}
