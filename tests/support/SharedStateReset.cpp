#include "support/SharedStateReset.h"

#include "state/SharedState.h"

void ResetSharedState() {
    SharedState::width = SharedState::height = SharedState::interval = 0;
    SharedState::clrbg = SharedState::clrfont = 0xFF000000;
    SharedState::dispbtm.clear();
    SharedState::on = 0;
    SharedState::fit = {};
    SharedState::scroll = 0;
    SharedState::clock = {};
    SharedState::barSize = 0;
    SharedState::fade = 0;
    SharedState::appPath.clear();
    SharedState::dataDir.clear();
    SharedState::itemsPath.clear();
    SharedState::playlist = nullptr;
    SharedState::playlistCount = 0;
    SharedState::screenWidth = SharedState::screenHeight = 0;
    SharedState::outputRect = RECT{0, 0, 0, 0};
    SharedState::placed = 0;
    SharedState::outputWnd = nullptr;
    SharedState::core = nullptr;
}
