#include "output/Playlist.h"

#include "core/Core.h"
#include "runlog/RunLog.h"
#include "state/SharedState.h"

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

void Playlist::add(const std::string& name, bool present) {
    m_listed.push_back(Entry{name, present});
    if (present) {
        m_rows.push_back(name);
    } else {
        m_anyMissing = true;
    }
}

const std::string& Playlist::row(int i) const {
    static const std::string empty;
    return i >= 0 && i < count() ? m_rows[static_cast<size_t>(i)] : empty;
}

bool Playlist::joinArrivals(const std::function<bool(const std::string& name)>& exists) {
    if (!m_anyMissing) return false;
    bool joined = false;
    m_anyMissing = false;
    for (Entry& entry : m_listed) {
        if (entry.present) continue;
        entry.present = exists(entry.name);
        joined = joined || entry.present;
        m_anyMissing = m_anyMissing || !entry.present;
    }
    if (!joined) return false;
    m_rows.clear();
    for (const Entry& entry : m_listed) {
        if (entry.present) m_rows.push_back(entry.name);
    }
    return true;
}

void LoadPlaylist(const std::string& text) {
    SharedState::playlistCount = 0;
    Playlist* table = SharedState::playlist;
    if (table == nullptr) return;
    table->clear();
    const CCore* core = SharedState::core;
    if (core == nullptr) return;

    // The text-mode rule for lines: a CR LF pair or a lone LF ends a line and is no part of a
    // name. A stream in text mode would also stop at the first Ctrl-Z byte and lose every name
    // after it.
    size_t start = 0;
    while (start < text.size()) {
        const size_t lineBreak = text.find('\n', start);
        size_t end = lineBreak == std::string::npos ? text.size() : lineBreak;
        if (lineBreak != std::string::npos && end > start && text[end - 1] == '\r') --end;
        const std::string line = text.substr(start, end - start);
        // An empty line names the folder itself, never a picture.
        if (!line.empty()) {
            const bool present = core->isFileExist(SharedState::dataDir + line);
            table->add(line, present);
            if (!present) RunLog::NotePicture(line, SharedState::dataDir + line, PictureTrouble::NotFound);
        }
        start = lineBreak == std::string::npos ? text.size() : lineBreak + 1;
    }
    SharedState::playlistCount = table->count();
}

bool JoinLatePictures() {
    Playlist* table = SharedState::playlist;
    const CCore* core = SharedState::core;
    if (table == nullptr || core == nullptr) return false;
    const bool joined = table->joinArrivals([core, table](const std::string& name) {
        return table->isSettled(name) && core->isFileExist(SharedState::dataDir + name);
    });
    if (joined) SharedState::playlistCount = table->count();
    return joined;
}
