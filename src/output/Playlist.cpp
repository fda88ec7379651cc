#include "output/Playlist.h"

#include <fstream>

#include "app/SharedState.h"
#include "core/Core.h"

const std::string& Playlist::row(int i) const {
    static const std::string empty;
    return i >= 0 && i < count() ? m_names[static_cast<size_t>(i)] : empty;
}

void LoadPlaylist() {
    SharedState::playlistCount = 0;
    Playlist* table = SharedState::playlist;
    if (table == nullptr) return;
    table->clear();

    // Text mode: the CR LF pairs the dialog writes end lines and are not part of a name.
    std::ifstream file(SharedState::itemsPath);
    const CCore* core = SharedState::core;
    std::string line;
    while (core != nullptr && std::getline(file, line)) {
        if (core->isFileExist(SharedState::dataDir + line)) table->add(line);
    }
    SharedState::playlistCount = table->count();
}
