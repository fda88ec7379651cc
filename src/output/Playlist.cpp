#include "output/Playlist.h"

#include "core/Core.h"
#include "state/SharedState.h"

const std::string& Playlist::row(int i) const {
    static const std::string empty;
    return i >= 0 && i < count() ? m_names[static_cast<size_t>(i)] : empty;
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
        if (core->isFileExist(SharedState::dataDir + line)) table->add(line);
        start = lineBreak == std::string::npos ? text.size() : lineBreak + 1;
    }
    SharedState::playlistCount = table->count();
}
