// The playlist table: the names of the pictures to show, in order. It keeps every name of the
// list, and shows those whose picture was there when the list was loaded or has come since: a
// picture copied in late (a slow share at boot, a colleague's USB stick) joins the show in its
// place in the list's order, with nobody pressing 应用.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

// A line of the list: a picture's name, and the seconds it stands where the line ends in "|N"
// (N whole seconds, 1 to 86400; '|' cannot be part of a file name). The name is the text before
// the last '|', exactly as written. A suffix that is no such number leaves the interval.
struct PlaylistLine {
    std::string name;
    int seconds = 0;  // 0: the interval
    bool unreadableSeconds = false;
};
constexpr int kLongestPictureSeconds = 86400;
PlaylistLine ReadPlaylistLine(const std::string& line);
// The lines of a list's text (CR LF or a lone LF ends one) whose seconds cannot be read.
std::vector<std::string> LinesWithUnreadableSeconds(const std::string& listText);

class Playlist {
public:
    void clear();
    // A name of the list, shown once `present` (its picture is there), for `seconds` (0: the
    // interval). `wideName` is the name as the platform has it where code page 936 cannot write
    // it (`name` then holds '?' in its place); empty when `name` is the name.
    void add(const std::string& name, bool present = true, int seconds = 0, std::wstring wideName = {});
    // The rows shown.
    int count() const { return static_cast<int>(m_rows.size()); }
    // Row i, or an empty name for a row the table does not hold (row 0 of an empty table).
    const std::string& row(int i) const;
    // Row i's name as the platform names its file.
    std::wstring wideRow(int i) const;
    // How long row i stands: its own seconds, or 0 for the interval.
    int seconds(int i) const;
    // Shows the listed names whose picture `exists` now; true when one joined. A name shown
    // stays, whatever became of its picture since.
    bool joinArrivals(const std::function<bool(const std::string& name, const std::wstring& wideName)>& exists);

    // Every name of the list, shown or not, each once.
    std::set<std::string> names() const;
    // The pictures another program is still writing (their file changed since the last look):
    // not drawn, and not joined, until they hold still.
    void setUnsettled(std::set<std::string> names) { m_unsettled = std::move(names); }
    bool isSettled(const std::string& name) const { return m_unsettled.count(name) == 0; }

private:
    struct Entry {
        std::string name;
        bool present;
        int seconds;
        std::wstring wideName;  // empty: `name` is the name
    };
    std::wstring wideName(const Entry& entry) const;
    std::vector<Entry> m_listed;
    std::vector<size_t> m_rows;  // the present names' entries, in the list's order
    bool m_anyMissing = false;
    std::set<std::string> m_unsettled;
};

// Rebuilds SharedState's playlist from the list's text as the settings dialog applied it (ANSI,
// one name a line, with its own seconds or not), showing the names whose picture exists in the picture folder, in the list's
// order, duplicates included, each name exactly as written. The list is the dialog's, never a
// re-read of the playlist file: the file may hold another program's version, or none at all
// when its write failed.
void LoadPlaylist(const std::string& listText);
// The same for the list as the settings dialog's box holds it: a name code page 936 cannot write
// (a Korean name of a UTF-8 list) keeps its characters, and its picture is shown.
void LoadPlaylist(const std::wstring& listText);
// Shows the listed names whose picture has come to the picture folder since the list was
// loaded; true when one joined.
bool JoinLatePictures();
