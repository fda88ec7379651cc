// Runs a dialog through its real modal loop while a script drives it: each step runs from a
// thread timer, so everything the previous step posted has been dispatched through the loop
// (posted messages come before timer messages) before the next step starts. A step that
// opens a nested modal loop (a warning box) does not let the next step in meanwhile.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class CDialog;

// A step returns true when it is done; one that returns false runs again at the next tick
// (a wait for something to happen).
using ScriptStep = std::function<bool()>;

// A step that runs once.
ScriptStep Step(std::function<void()> action);
// A step that waits until `condition` holds.
ScriptStep Until(std::function<bool()> condition);

// Runs `dialog.DoModal()` with the steps; if the dialog is still open some time after the
// last step, closes it with WM_CLOSE and reports that through `closedByScript`.
INT_PTR RunScriptedModal(CDialog& dialog, std::vector<ScriptStep> steps, bool* closedByScript = nullptr);
