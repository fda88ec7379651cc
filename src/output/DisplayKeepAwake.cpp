#include "output/DisplayKeepAwake.h"

namespace {
DisplayKeepAwake::SetStateFunction g_setState = &::SetThreadExecutionState;
}

void DisplayKeepAwake::Follow(bool shown) {
    if (shown == m_active) return;
    g_setState(shown ? (ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED) : ES_CONTINUOUS);
    m_active = shown;
}

void DisplayKeepAwake::SetStateFunctionForTests(SetStateFunction function) {
    g_setState = function != nullptr ? function : &::SetThreadExecutionState;
}
