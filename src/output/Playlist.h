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

// Rebuilds SharedState's playlist from the list's text as the settings dialog applied it (ANSI,
// one name a line), keeping the names whose picture exists in the picture folder, in the list's
// order, duplicates included, each name exactly as written. The list is the dialog's, never a
// re-read of the playlist file: the file may hold another program's version, or none at all
// when its write failed.
void LoadPlaylist(const std::string& listText);
