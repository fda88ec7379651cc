// The texts that tell the operator what a save could not keep: one warning for an Apply, one
// for a close, each naming the file, where it is and why, and what to do about it.
#pragma once

#include <string>
#include <vector>

#include "settings/PlaylistFile.h"
#include "store/AtomicFile.h"

// After an Apply: the playlist was not written, or another program's version was kept beside
// it. Empty when there is nothing to tell.
std::string ApplyWarning(const PlaylistSave& playlist, const std::string& playlistPath);

// After a close: whatever of the settings and the playlist was not saved, and another program's
// version of the playlist that was kept. Empty when everything was saved.
std::string CloseWarning(FileWrite settings, const std::string& settingsPath, const PlaylistSave& playlist,
                         const std::string& playlistPath);

// After a save of the settings: it failed, or another program's version of the store was kept
// beside it (`keptCopy`) before the operator's values were written. Empty when neither.
std::string SettingsWarning(FileWrite settings, const std::string& settingsPath, const std::string& keptCopy);

// Two warnings as one box's text.
std::string JoinedWarnings(const std::string& first, const std::string& second);

// After an Apply that played them with the interval: the lines of the list whose "|seconds"
// could not be read. Empty when there are none.
std::string UnreadableSecondsWarning(const std::vector<std::string>& lines);

// At start, or when another program's edit brought them: shop hours that cannot be read, and the
// part of them not understood. The show goes on, always open.
std::string UnreadableHoursWarning(const std::string& part);

// At start: the program's folder (as the system names it) cannot keep its files.
std::wstring UnusableFolderWarning(const std::wstring& folder);

// The bar's text holds characters code page 936 cannot write: the store cannot keep it, and the
// text last accepted stands.
std::string BarTextUnwritableWarning();

// At start: the playlist file is too large to be one of ours; it is neither read nor rewritten.
std::string PlaylistTooLargeWarning(const std::string& playlistPath);
