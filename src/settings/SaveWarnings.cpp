#include "settings/SaveWarnings.h"

#include "base/ProgramText.h"
#include "core/Core.h"

namespace {

const char kMoveFolder[] = "请把 Placard 文件夹移到可以写入的地方（例如 D:\\Placard），或者取消文件的只读属性。";

std::string Why(FileWrite written) {
    switch (written) {
    case FileWrite::Written: return {};
    case FileWrite::Held: return "文件正被另一个程序占用。";
    case FileWrite::Denied: return std::string("文件或文件夹不允许写入。") + kMoveFolder;
    case FileWrite::Failed: return "写入没有完成（磁盘可能已满）。";
    }
    return {};
}

// What became of the playlist, in lines of its own; empty when it was saved as it is.
std::string PlaylistLines(const PlaylistSave& playlist, const std::string& path, const char* notSaved) {
    std::string lines;
    if (playlist.outsideVersionUnkept) {
        if (playlist.alreadyTold) return lines;
        const std::string why = playlist.outsideTooLarge
                                    ? "太大（超过 " + std::to_string(CCore::kMaxTextFileBytes >> 20) + " MB），不能另存一份"
                                    : "没能另存";
        lines += std::string(notSaved) + path + "\n另一个程序修改过这个文件，它的版本" + why + "，所以文件保持原样。\n";
    } else if (playlist.written != FileWrite::Written) {
        lines += std::string(notSaved) + path + "\n" + Why(playlist.written) + "\n";
    }
    if (!playlist.keptCopy.empty() && !playlist.alreadyTold) {
        lines += "另一个程序修改过播放列表文件：\n" + path + "\n它的版本另存为：\n" + playlist.keptCopy + "\n";
        if (playlist.written == FileWrite::Written) lines += "文件里现在是你的列表。\n";
    }
    return lines;
}

std::string WithoutLastBreak(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

std::string ApplyWarning(const PlaylistSave& playlist, const std::string& playlistPath) {
    std::string text = PlaylistLines(playlist, playlistPath, "播放列表没有保存：\n");
    if (text.empty()) return text;
    if (playlist.written != FileWrite::Written || playlist.outsideVersionUnkept) text += "正在播放的是刚才应用的列表。\n";
    return WithoutLastBreak(text);
}

std::string CloseWarning(FileWrite settings, const std::string& settingsPath, const PlaylistSave& playlist,
                         const std::string& playlistPath) {
    std::string text;
    if (settings != FileWrite::Written) text += "设置没有保存：\n" + settingsPath + "\n" + Why(settings) + "\n";
    text += PlaylistLines(playlist, playlistPath, "播放列表没有保存：\n");
    return WithoutLastBreak(text);
}

std::string SettingsWarning(FileWrite settings, const std::string& settingsPath, const std::string& keptCopy) {
    std::string text;
    if (settings != FileWrite::Written) text += "设置没有保存：\n" + settingsPath + "\n" + Why(settings) + "\n";
    if (!keptCopy.empty()) {
        text += "另一个程序修改过设置文件：\n" + settingsPath + "\n它的版本另存为：\n" + keptCopy +
                "\n它改过而你没有改的设置都保留了；你也改过的，文件里现在是你的设置。\n";
    }
    return WithoutLastBreak(text);
}

std::string JoinedWarnings(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return first + second;
    return first + "\n\n" + second;
}

std::string UnreadableSecondsWarning(const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    constexpr size_t kShown = 10;
    std::string text = "播放列表中这些行的秒数无法识别（应为 1 到 86400 的整数），这些图片按轮换间隔显示：\n";
    for (size_t i = 0; i < lines.size() && i < kShown; ++i) text += lines[i] + "\n";
    if (lines.size() > kShown) text += "……共 " + std::to_string(lines.size()) + " 行\n";
    return WithoutLastBreak(text);
}

std::string UnreadableHoursWarning(const std::string& part) {
    return "营业时间无法识别，输出一直显示：\n" + part + "\n请在“高级设置”中改正营业时间（例如 1-5 08:30-21:00; 6-7 10:00-22:00）。";
}

std::wstring UnusableFolderWarning(const std::wstring& folder) {
    return WideFromProgramText("Placard 所在文件夹的名字里有中文 Windows 不能表示的字符，设置和播放列表不能在那里读取和保存：\n") +
           folder + WideFromProgramText("\n请把 Placard 文件夹移到名字只有中文、英文字母和数字的地方（例如 D:\\Placard）。");
}

std::string BarTextUnwritableWarning() {
    return "底部信息栏的文字里有中文 Windows 不能表示的字符（例如韩文或表情符号），设置文件保存不了，仍用原来的文字。";
}

std::string PlaylistTooLargeWarning(const std::string& playlistPath) {
    return "播放列表文件太大（超过 " + std::to_string(CCore::kMaxTextFileBytes >> 20) +
           " MB），没有读取，也不会被改写：\n" + playlistPath;
}
