// Runs this thread's messages the way the program's modal loop does: each one walks
// PreTranslateMessage up from its window before it is dispatched.
#pragma once

#include <functional>

// Dispatches whatever is queued now (posted messages, then due timers), for at most `ms`.
void PumpMessages(int ms = 0);
// Pumps until `done` returns true or `timeoutMs` has passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
