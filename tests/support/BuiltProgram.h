// The built Placard.exe, found from a program three folders below it in the build tree
// (build/win64/tests/<area>/<program>.exe -> build/win64/Placard.exe).
#pragma once

#include <string>

std::string BuiltProgram();
