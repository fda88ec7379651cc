#include "runlog/RunLogLines.h"

#include <cstdio>

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Number(LONG value) { return std::to_string(value); }

std::string SizeText(const RECT& rect) {
    return Number(rect.right - rect.left) + "×" + Number(rect.bottom - rect.top);
}

std::string CornerText(const RECT& rect) { return "(" + Number(rect.left) + ", " + Number(rect.top) + ")"; }

std::string ScreensText(const std::vector<ScreenSeen>& screens) {
    if (screens.empty()) return "没有找到屏幕";
    std::string text = "屏幕";
    for (size_t i = 0; i < screens.size(); ++i) {
        text += (i == 0 ? " " : "、") + screens[i].name + " " + SizeText(screens[i].area) + " 在 " +
                CornerText(screens[i].area);
    }
    return text;
}

}  // namespace

std::string RunLogLine(const SYSTEMTIME& when, const std::string& event) {
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "%04u-%02u-%02u %02u:%02u:%02u ", when.wYear, when.wMonth, when.wDay,
                  when.wHour, when.wMinute, when.wSecond);
    std::string line = stamp;
    bool pendingBreak = false;
    for (char c : event) {
        if (c == '\r' || c == '\n') {
            pendingBreak = true;
            continue;
        }
        if (pendingBreak && !EndsWith(line, "：") && !EndsWith(line, ":") && !EndsWith(line, " ")) line += ' ';
        pendingBreak = false;
        line += c;
    }
    return line + "\r\n";
}

std::string PictureTroubleWords(PictureTrouble trouble) {
    switch (trouble) {
    case PictureTrouble::None: return {};
    case PictureTrouble::NotFound: return "找不到文件";
    case PictureTrouble::Unreadable: return "文件无法读取（没有权限，或被其他程序占用）";
    case PictureTrouble::UnknownKind: return "不是能识别的图片格式（能显示 JPG、PNG、BMP、GIF）";
    case PictureTrouble::TooLarge:
        return "图片太大（最大 " + std::to_string(kMaxPicturePixels / 10000) + " 万像素、" +
               std::to_string(PictureFile::kMaxBytes >> 20) + " MB）";
    case PictureTrouble::Incomplete: return "文件不完整（还在复制，或只复制了一部分）";
    case PictureTrouble::Damaged: return "文件已损坏，无法解码";
    case PictureTrouble::BeingWritten: return "还在复制中（文件还在变化）";
    }
    return {};
}

std::string PictureNotShownEvent(const std::string& name, PictureTrouble trouble) {
    return "图片 " + name + " 没有显示：" + PictureTroubleWords(trouble);
}

std::string OutputText(const RECT& window, bool shown, bool shopOpen) {
    if (!shown) return "输出关闭（没有勾选“开启输出”）";
    return "输出 " + SizeText(window) + " 在 " + CornerText(window) + (shopOpen ? "" : "，营业时间外显示全黑");
}

std::string StartEvent(const std::string& version, bool running, const std::vector<ScreenSeen>& screens) {
    return "Placard " + version + (running ? " 运行中，开始记录日志；" : " 启动；") + ScreensText(screens);
}

std::string EndEvent(bool sessionEnding, const std::string& output) {
    return std::string(sessionEnding ? "Windows 重启或注销，Placard 保存后退出；" : "Placard 退出；") + output;
}

std::string LogOffEvent() { return "不再记录运行日志（高级设置或 Placard.ini 中关闭了 log）"; }

std::string DisplayChangeEvent(const std::vector<ScreenSeen>& screens, const RECT& window) {
    return "屏幕有变化：" + ScreensText(screens) + "；输出在 " + CornerText(window);
}

std::string OutputReturnedEvent(const RECT& window) {
    return "输出所在的屏幕变了或不见了，输出移到 " + CornerText(window);
}

std::string OutsideKeyEvent(const std::string& file, const std::string& key, const std::string& value,
                            const std::string& refusal) {
    if (refusal.empty()) return "其他程序修改了 " + file + " 中的 " + key + "，已采用";
    return "其他程序把 " + file + " 中的 " + key + " 改成 " + value + "，没有采用：" + refusal;
}

std::string OutsideListEvent(const std::string& file) { return "其他程序修改了播放列表 " + file + "，已采用"; }

std::string ShopHoursEvent(bool open) {
    return open ? "营业时间开始，从第一张图片播放" : "营业时间结束，输出显示全黑";
}

std::string SentBackEvent() { return "同一个文件夹的 Placard 又被启动了一次：调出正在运行的设置窗口，新启动的退出"; }
