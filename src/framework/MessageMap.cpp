#include "framework/MessageMap.h"

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam) {
    if (entry.message != message) return false;
    if (message == WM_COMMAND)
        return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
    if (message == ReflectedMessageBase + WM_COMMAND) return entry.code == HIWORD(wParam);
    return true;
}

}  // namespace

const MessageEntry* MessageMap::Find(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            if (Matches(map->entries[i], message, wParam)) return &map->entries[i];
        }
    }
    return nullptr;
}
