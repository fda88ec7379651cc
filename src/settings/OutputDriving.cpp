#include "settings/OutputDriving.h"

#include "base/SaturatedInt.h"
#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "resource.h"
#include "runlog/RunLogLines.h"
#include "state/SharedState.h"

namespace {

COutputDlg* ExistingOutput() {
    COutputDlg* output = SharedState::outputWnd;
    return output != nullptr && output->m_hWnd != nullptr ? output : nullptr;
}

// Non-zero from now on, also for a corner at the left edge.
void MarkPlaced(POINT corner) { SharedState::placed = corner.x != 0 ? corner.x : 1; }

}  // namespace

void CreateOutputWindow(CWnd* parent) {
    if (SharedState::outputWnd != nullptr) return;
    SharedState::outputWnd = new COutputDlg(nullptr);
    SharedState::outputWnd->Create(IDD_OUTPUT, parent);
}

void ApplyToOutput(const std::wstring& list, bool shopOpen, const std::optional<POINT>& savedCorner,
                   const std::optional<HomePlace>& savedHome) {
    COutputDlg* output = ExistingOutput();
    if (output == nullptr) return;
    if (SharedState::on == 0) {
        output->ShowWindow(SW_HIDE);
        return;
    }

    RECT& rect = SharedState::outputRect;
    if (SharedState::placed == 0) {
        const POINT corner = ChooseFirstCorner(savedCorner, savedHome, SharedState::screenWidth,
                                               SharedState::screenHeight, Monitors());
        MarkPlaced(corner);
        rect.left = corner.x;
        rect.top = corner.y;
    } else {
        rect = output->GetWindowRect();
    }
    rect.right = SaturatedInt(LONGLONG{rect.left} + SharedState::width);
    rect.bottom = SaturatedInt(LONGLONG{rect.top} + SharedState::height);
    if (!shopOpen) {
        output->ShowClosed(rect);
        return;
    }
    LoadPlaylist(list);
    output->Place(rect);
}

std::string DescribeOutput(bool shopOpen) {
    const COutputDlg* output = SharedState::outputWnd;
    if (output == nullptr) return OutputText(RECT{}, false, shopOpen);
    if (output->m_hWnd != nullptr) return OutputText(output->GetWindowRect(), output->IsWindowVisible(), shopOpen);
    const POINT corner = output->LastCorner();
    const RECT last{corner.x, corner.y, SaturatedInt(LONGLONG{corner.x} + SharedState::width),
                    SaturatedInt(LONGLONG{corner.y} + SharedState::height)};
    return OutputText(last, SharedState::on != 0, shopOpen);
}

SecondScreenMove SendOutputToSecondScreen(bool shopOpen) {
    COutputDlg* output = ExistingOutput();
    if (output == nullptr) return SecondScreenMove::NoOutput;
    const std::optional<POINT> corner = SecondScreenCorner(SharedState::screenWidth, Monitors());
    // With one screen the output stays where it is: anywhere else lies on no monitor.
    if (!corner) return SecondScreenMove::NoSecondScreen;
    SharedState::outputRect = RECT{corner->x, corner->y, SaturatedInt(LONGLONG{corner->x} + SharedState::width),
                                   SaturatedInt(LONGLONG{corner->y} + SharedState::height)};
    MarkPlaced(*corner);
    if (shopOpen) {
        output->Place(SharedState::outputRect);
    } else {
        output->ShowClosed(SharedState::outputRect);
    }
    return SecondScreenMove::Moved;
}
