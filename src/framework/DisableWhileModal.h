// The owner of a modal box is disabled for as long as the box runs, as the platform's own
// boxes do it, and enabled again however the run ends.
#pragma once

#include <windows.h>

#include "base/ScopeExit.h"

// Disables `window` and enables it again when the result goes. A null window, or one that is
// disabled already (under another box), is left as it is; so is one destroyed meanwhile.
[[nodiscard]] inline auto DisableWhileModal(HWND window) {
    const bool disable = window != nullptr && ::IsWindowEnabled(window);
    if (disable) ::EnableWindow(window, FALSE);
    return ScopeExit([window, disable] {
        if (disable && ::IsWindow(window)) ::EnableWindow(window, TRUE);
    });
}
