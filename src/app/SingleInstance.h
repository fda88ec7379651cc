// One Placard per program folder and session. Two started from the same folder (a Startup
// shortcut and a double-click) would show two outputs, one over the other, and the one closed
// last would overwrite the other's settings and playlist. A named memory block, named after the
// folder itself (however its path is spelled), marks the first; it holds that process's id, so
// that a later start can find its settings dialog and bring it to the front. A copy in another
// folder has a name of its own.
#pragma once

#include <windows.h>

#include <string>

#include "base/UniqueHandle.h"

class SingleInstance {
public:
    explicit SingleInstance(const std::wstring& folder);

    // False when another Placard of this folder runs already.
    bool First() const { return m_first; }
    // Brings that Placard's settings dialog (or the box it shows) to the front, restored if it
    // was minimised. Waits a moment for a Placard that is still starting.
    void BringFirstToFront() const;

private:
    UniqueKernelHandle m_mapping;
    UniqueMappedView m_view;  // the block: the first's process id
    bool m_first = true;
};
