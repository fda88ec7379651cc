// The playlist table: the names of the pictures to show, in order.
#pragma once

#include <string>
#include <vector>

class Playlist {
public:
    void clear() { m_names.clear(); }
    void add(const std::string& name) { m_names.push_back(name); }
    int count() const { return static_cast<int>(m_names.size()); }
    // Row i, or an empty name for a row the table does not hold (row 0 of an empty table).
    const std::string& row(int i) const;

private:
    std::vector<std::string> m_names;
};

// Rebuilds SharedState's playlist from the playlist file, keeping the names whose picture
// exists in the picture folder, in file order, duplicates included, each name exactly as
// written. A file that cannot be opened gives an empty playlist.
void LoadPlaylist();
