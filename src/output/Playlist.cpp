#include "output/Playlist.h"

#include <windows.h>

#include "base/ProgramText.h"
#include "core/Core.h"
#include "runlog/RunLog.h"
#include "state/SharedState.h"

namespace {

// Each line of a list's text: a CR LF pair or a lone LF ends a line and is no part of a name. A
// stream in text mode would also stop at the first Ctrl-Z byte and lose every name after it.
template <class Text, class Visit>
void ForEachLine(const Text& text, Visit visit) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t lineBreak = text.find('\n', start);
        size_t end = lineBreak == Text::npos ? text.size() : lineBreak;
        if (lineBreak != Text::npos && end > start && text[end - 1] == '\r') --end;
        visit(text.substr(start, end - start));
        start = lineBreak == Text::npos ? text.size() : lineBreak + 1;
    }
}

// Where the line's last '|' stands, as a character: the second byte of a double-byte character
// may have the same value.
size_t LastBar(const std::string& line) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '|') last = i;
        if (IsDBCSLeadByteEx(kProgramCodePage, static_cast<BYTE>(line[i])) && i + 1 < line.size()) ++i;
    }
    return last;
}

}  // namespace

PlaylistLine ReadPlaylistLine(const std::string& line) {
    const size_t bar = LastBar(line);
    if (bar == std::string::npos) return PlaylistLine{line};
    PlaylistLine read{line.substr(0, bar)};
    const std::string suffix = line.substr(bar + 1);
    long long seconds = 0;
    bool digits = !suffix.empty() && suffix.size() <= 5;
    for (char c : suffix) {
        digits = digits && c >= '0' && c <= '9';
        if (digits) seconds = seconds * 10 + (c - '0');
    }
    if (digits && seconds >= 1 && seconds <= kLongestPictureSeconds) {
        read.seconds = static_cast<int>(seconds);
    } else {
        read.unreadableSeconds = true;
    }
    return read;
}

std::vector<std::string> LinesWithUnreadableSeconds(const std::string& listText) {
    std::vector<std::string> lines;
    ForEachLine(listText, [&](const std::string& line) {
        if (ReadPlaylistLine(line).unreadableSeconds) lines.push_back(line);
    });
    return lines;
}

void Playlist::clear() {
    m_listed.clear();
    m_rows.clear();
    m_anyMissing = false;
    m_unsettled.clear();
}

std::set<std::string> Playlist::names() const {
    std::set<std::string> names;
    for (const Entry& entry : m_listed) names.insert(entry.name);
    return names;
}

void Playlist::add(const std::string& name, bool present, int seconds, std::wstring wideName) {
    if (present) m_rows.push_back(m_listed.size());
    m_listed.push_back(Entry{name, present, seconds, std::move(wideName)});
    m_anyMissing = m_anyMissing || !present;
}

const std::string& Playlist::row(int i) const {
    static const std::string empty;
    return i >= 0 && i < count() ? m_listed[m_rows[static_cast<size_t>(i)]].name : empty;
}

std::wstring Playlist::wideName(const Entry& entry) const {
    return entry.wideName.empty() ? WideFromProgramText(entry.name) : entry.wideName;
}

std::wstring Playlist::wideRow(int i) const {
    return i >= 0 && i < count() ? wideName(m_listed[m_rows[static_cast<size_t>(i)]]) : std::wstring();
}

int Playlist::seconds(int i) const { return i >= 0 && i < count() ? m_listed[m_rows[static_cast<size_t>(i)]].seconds : 0; }

bool Playlist::joinArrivals(const std::function<bool(const std::string& name, const std::wstring& wideName)>& exists) {
    if (!m_anyMissing) return false;
    bool joined = false;
    m_anyMissing = false;
    for (Entry& entry : m_listed) {
        if (entry.present) continue;
        entry.present = exists(entry.name, wideName(entry));
        joined = joined || entry.present;
        m_anyMissing = m_anyMissing || !entry.present;
    }
    if (!joined) return false;
    m_rows.clear();
    for (size_t i = 0; i < m_listed.size(); ++i) {
        if (m_listed[i].present) m_rows.push_back(i);
    }
    return true;
}

namespace {

// Every line of the list into the table. `lineOf` gives each line in code page 936, and returns
// the line as the platform has it where that code page cannot write it (else empty).
template <class Text>
void LoadLines(const Text& text, const std::function<std::wstring(const Text&, std::string&)>& lineOf) {
    SharedState::playlistCount = 0;
    Playlist* table = SharedState::playlist;
    if (table == nullptr) return;
    table->clear();
    const CCore* core = SharedState::core;
    if (core == nullptr) return;

    ForEachLine(text, [&](const Text& written) {
        std::string narrow;
        const std::wstring wide = lineOf(written, narrow);
        const PlaylistLine line = ReadPlaylistLine(narrow);
        // An empty name names the folder itself, never a picture.
        if (line.name.empty()) return;
        // A '|' is one in both: no character code page 936 lacks becomes one.
        const std::wstring wideName = wide.substr(0, line.name.size() < narrow.size() ? wide.rfind(L'|') : wide.size());
        const bool present = wideName.empty() ? core->isFileExist(SharedState::dataDir + line.name)
                                              : core->isFileExist(WideFromProgramText(SharedState::dataDir) + wideName);
        table->add(line.name, present, line.seconds, wideName);
        if (!present) RunLog::NotePicture(line.name, SharedState::dataDir + line.name, PictureTrouble::NotFound);
    });
    SharedState::playlistCount = table->count();
}

}  // namespace

void LoadPlaylist(const std::string& text) {
    LoadLines<std::string>(text, [](const std::string& line, std::string& narrow) {
        narrow = line;
        return std::wstring();
    });
}

void LoadPlaylist(const std::wstring& text) {
    LoadLines<std::wstring>(text, [](const std::wstring& line, std::string& narrow) {
        narrow = ProgramTextFromWide(line);
        return ProgramTextHolds(line) ? std::wstring() : line;
    });
}

bool JoinLatePictures() {
    Playlist* table = SharedState::playlist;
    const CCore* core = SharedState::core;
    if (table == nullptr || core == nullptr) return false;
    const bool joined = table->joinArrivals([core, table](const std::string& name, const std::wstring& wideName) {
        return table->isSettled(name) && core->isFileExist(WideFromProgramText(SharedState::dataDir) + wideName);
    });
    if (joined) SharedState::playlistCount = table->count();
    return joined;
}
