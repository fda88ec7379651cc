#include "store/FileStamp.h"

#include <windows.h>

#include "base/ProgramText.h"
#include "store/AtomicFile.h"

FileStamp StampOf(const std::string& path) {
    return IsFileName(path) ? StampOf(WideFromProgramText(path)) : FileStamp{};
}

FileStamp StampOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!IsFileName(path) || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}
