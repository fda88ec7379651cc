#include "output/DisplayKeepAwake.h"

void DisplayKeepAwake::Follow(Need need) {
    if (need == m_held) return;
    switch (need) {
    case Need::Nothing: m_setState(ES_CONTINUOUS); break;
    case Need::Machine: m_setState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); break;
    case Need::DisplayAndMachine: m_setState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED); break;
    }
    m_held = need;
}
