// The settings dialog driving the output window, watched through the window's rectangle and
// visibility, with the settings an earlier run saved. The screen is 1920 x 1080.
#pragma once

#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "support/Rects.h"

struct WindowState {
    RECT rect{};
    bool visible = false;
};

inline WindowState OutputState() {
    WindowState state;
    if (SharedState::outputWnd != nullptr && SharedState::outputWnd->m_hWnd != nullptr) {
        state.rect = SharedState::outputWnd->GetWindowRect();
        state.visible = SharedState::outputWnd->IsWindowVisible() != FALSE;
    }
    return state;
}

class OutputDrivingFixture : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    }
    void StoreSetup(bool on, int width, int height) {
        Store([&](CCore& core) {
            core.saveConfigB("on", on);
            core.saveConfigInt("width", width);
            core.saveConfigInt("height", height);
            core.saveConfigInt("interval", 5);
        });
    }
};
