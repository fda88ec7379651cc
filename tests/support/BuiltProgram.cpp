#include "support/BuiltProgram.h"

#include <windows.h>

std::string BuiltProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    for (int up = 0; up < 3; ++up) p = p.substr(0, p.find_last_of('\\'));
    return p + "\\Placard.exe";
}
