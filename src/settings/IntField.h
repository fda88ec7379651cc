// The number fields' reading: the C runtime's atoi rules (leading white space, an optional
// sign, then decimal digits up to the first other character; no digits reads as 0), with
// one difference: a run of digits too long for 32 bits saturates at the int range instead of
// being undefined.
#pragma once

#include <string>

int ParseIntField(const std::string& text);
