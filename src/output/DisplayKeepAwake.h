// Keeps the display on and the machine awake while the output window is shown: a signage
// screen that the power settings switch off, or a machine that falls asleep, shows nothing.
// Windows keeps an idle timer for each, so both are requested. The request is made once when
// the window is shown and given back when it is hidden, and when the owner goes away.
#pragma once

#include <windows.h>

class DisplayKeepAwake {
public:
    using SetStateFunction = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);

    // `setState` takes the requests: the system's SetThreadExecutionState, or a recorder.
    explicit DisplayKeepAwake(SetStateFunction setState = &::SetThreadExecutionState) : m_setState(setState) {}
    ~DisplayKeepAwake() { Follow(false); }
    DisplayKeepAwake(const DisplayKeepAwake&) = delete;
    DisplayKeepAwake& operator=(const DisplayKeepAwake&) = delete;

    // Requests or gives back the display as the window is shown or hidden; asking for the
    // state already held does nothing.
    void Follow(bool shown);

private:
    SetStateFunction m_setState;
    bool m_active = false;
};
