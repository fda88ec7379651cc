// Opt-in "reload=N": the files the show reads that another program may change while Placard
// runs (the playlist file, the store, the listed pictures), looked at every N seconds. A file
// counts as changed once it differs from what the program last read and then held still for a
// look, so that a file still being copied is never taken half-written. The program's own writes
// of the store are looked at too: what another program wrote meanwhile may be merged into them.
#pragma once

#include <map>
#include <set>
#include <string>

#include "store/FileStamp.h"
#include "store/SettledFile.h"

class OutsideChangeWatcher {
public:
    // From now on the files as they are count as the program's own.
    void Watch(const std::string& itemsPath, const std::string& storePath, const std::string& dataDir);

    // One look at each; true once for each settled change.
    bool ListChanged();
    bool StoreChanged();
    // Of the pictures `names` (in the data folder), those whose file changed since the last
    // look: they may still be being written.
    std::set<std::string> UnsettledPictures(const std::set<std::string>& names);

private:
    std::string m_itemsPath, m_storePath, m_dataDir;
    SettledFile m_items;
    SettledFile m_store;
    std::map<std::string, FileStamp> m_pictures;  // at the last look
};
