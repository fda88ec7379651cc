#include "output/DisplayKeepAwake.h"

void DisplayKeepAwake::Follow(bool shown) {
    if (shown == m_active) return;
    m_setState(shown ? (ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED) : ES_CONTINUOUS);
    m_active = shown;
}
