#include "store/SettledFile.h"

void SettledFile::take(const FileStamp& stamp) {
    m_taken = stamp;
    m_previous = stamp;
}

bool SettledFile::look(const FileStamp& now) {
    const bool settled = m_previous && *m_previous == now;
    m_previous = now;
    if (!settled || now == m_taken) return false;
    m_taken = now;
    return true;
}
