// Keeps the display on and the machine awake while the output window shows the show: a signage
// screen that the power settings switch off, or a machine that falls asleep, shows nothing.
// Windows keeps an idle timer for each, so both are requested. Outside the shop's hours only the
// machine is kept awake (the power plan may switch the screens off), so that the show opens on
// time. A request is made once when the need changes, and given back when the window is hidden
// and when the owner goes away.
#pragma once

#include <windows.h>

class DisplayKeepAwake {
public:
    using SetStateFunction = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);

    // `setState` takes the requests: the system's SetThreadExecutionState, or a recorder.
    explicit DisplayKeepAwake(SetStateFunction setState = &::SetThreadExecutionState) : m_setState(setState) {}
    ~DisplayKeepAwake() { Follow(Need::Nothing); }
    DisplayKeepAwake(const DisplayKeepAwake&) = delete;
    DisplayKeepAwake& operator=(const DisplayKeepAwake&) = delete;

    enum class Need { Nothing, Machine, DisplayAndMachine };
    // Requests what is needed now, giving back what is not; asking for the state already held
    // does nothing.
    void Follow(Need need);

private:
    SetStateFunction m_setState;
    Need m_held = Need::Nothing;
};
