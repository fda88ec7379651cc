#include "support/BuiltProgram.h"

#include <windows.h>

#include "base/ProgramText.h"

std::string BuiltProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string p = ProgramTextFromWide(path);
    for (int up = 0; up < 3; ++up) p = p.substr(0, p.find_last_of('\\'));
    return p + "\\Placard.exe";
}
