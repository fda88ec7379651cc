#include "settings/ScriptedModal.h"

#include <windows.h>

#include "framework/Dialog.h"

namespace {

struct Script {
    CDialog* dialog;
    std::vector<ScriptStep> steps;
    size_t next = 0;
    int idleTicks = 0;
    bool running = false;
    bool forcedClose = false;
};

thread_local Script* activeScript = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = activeScript;
    if (script == nullptr || script->running || script->dialog->m_hWnd == nullptr) return;
    script->running = true;
    if (script->next < script->steps.size()) {
        if (script->steps[script->next]()) {
            ++script->next;
            script->idleTicks = 0;
        } else if (++script->idleTicks > 200) {
            // A wait that never ends: give up and close, and say so.
            script->forcedClose = true;
            script->next = script->steps.size();
            script->dialog->PostMessage(WM_CLOSE);
        }
    } else if (!script->forcedClose && ++script->idleTicks > 50) {
        script->forcedClose = true;
        script->dialog->PostMessage(WM_CLOSE);
    }
    script->running = false;
}

}  // namespace

ScriptStep Step(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

ScriptStep Until(std::function<bool()> condition) { return condition; }

INT_PTR RunScriptedModal(CDialog& dialog, std::vector<ScriptStep> steps, bool* closedByScript) {
    Script script{&dialog, std::move(steps)};
    Script* previous = activeScript;
    activeScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &OnTick);
    const INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, timer);
    activeScript = previous;
    if (closedByScript != nullptr) *closedByScript = script.forcedClose;
    return result;
}
