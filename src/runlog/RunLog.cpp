#include "runlog/RunLog.h"

#include <windows.h>

#include "base/ProgramText.h"
#include "base/UniqueHandle.h"
#include "runlog/RunLogLines.h"
#include "store/TextEncoding.h"

namespace {

const char kFileName[] = "Placard.log";
const char kByteOrderMark[] = "\xEF\xBB\xBF";

// Others may read, write, rename or delete the file while it is open.
UniqueFile OpenForAppend(const std::string& path, unsigned long long& size) {
    UniqueFile file(CreateFileW(WideFromProgramText(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file || !GetFileSizeEx(file.get(), &length) || length.QuadPart < 0) return UniqueFile();
    size = static_cast<unsigned long long>(length.QuadPart);
    return file;
}

}  // namespace

RunLog::RunLog(const std::string& folder) : m_path(folder + kFileName), m_earlier(m_path + ".1") { s_current = this; }

RunLog::~RunLog() {
    if (s_current == this) s_current = nullptr;
}

void RunLog::Write(const std::string& event) const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    Append(Utf8FromAnsi(RunLogLine(now, event)));
}

void RunLog::Append(const std::string& bytes) const {
    unsigned long long size = 0;
    UniqueFile file = OpenForAppend(m_path, size);
    if (!file) return;
    if (size > 0 && size + bytes.size() > kMaxBytes) {
        file.reset();
        const std::wstring path = WideFromProgramText(m_path), earlier = WideFromProgramText(m_earlier);
        if (!MoveFileExW(path.c_str(), earlier.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
        file = OpenForAppend(m_path, size);
        if (!file) return;
    }
    const std::string text = size == 0 ? kByteOrderMark + bytes : bytes;
    // Not even one event may take the file past its bound.
    if (size + text.size() > kMaxBytes) return;
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void RunLog::Note(const std::string& event) {
    if (s_current != nullptr && !event.empty()) s_current->Write(event);
}

void RunLog::NotePicture(const std::string& name, const std::string& path, PictureTrouble trouble) {
    RunLog* log = s_current;
    if (log == nullptr) return;
    if (trouble == PictureTrouble::None) {
        log->m_toldPictures.erase(name);
        return;
    }
    // A file another program is still writing changes at every look: told once while it does.
    const FileStamp stamp = trouble == PictureTrouble::BeingWritten ? FileStamp{} : StampOf(path);
    const auto told = log->m_toldPictures.find(name);
    if (told != log->m_toldPictures.end() && told->second.trouble == trouble && told->second.stamp == stamp) return;
    log->m_toldPictures[name] = Told{trouble, stamp};
    log->Write(PictureNotShownEvent(name, trouble));
}
