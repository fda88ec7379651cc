#include "settings/OutsideChangeWatcher.h"

void OutsideChangeWatcher::Watch(const std::string& itemsPath, const std::string& storePath,
                                 const std::string& dataDir) {
    m_itemsPath = itemsPath;
    m_storePath = storePath;
    m_dataDir = dataDir;
    m_items.take(StampOf(itemsPath));
    m_store.take(StampOf(storePath));
    m_pictures.clear();
}

bool OutsideChangeWatcher::ListChanged() { return m_items.look(StampOf(m_itemsPath)); }

bool OutsideChangeWatcher::StoreChanged() { return m_store.look(StampOf(m_storePath)); }

std::set<std::string> OutsideChangeWatcher::UnsettledPictures(const std::set<std::string>& names) {
    std::map<std::string, FileStamp> stamps;
    std::set<std::string> unsettled;
    for (const std::string& name : names) {
        const FileStamp stamp = StampOf(m_dataDir + name);
        const auto before = m_pictures.find(name);
        if (before != m_pictures.end() && before->second != stamp) unsettled.insert(name);
        stamps.emplace(name, stamp);
    }
    m_pictures.swap(stamps);
    return unsettled;
}
