// SharedState as it is when the program starts, before the settings dialog runs: every test
// that drives the dialog or the output window starts from it and leaves it so.
#pragma once

void ResetSharedState();
