#include "settings/IntField.h"

#include <algorithm>
#include <climits>

#include "settings/Digits.h"

int ParseIntField(const std::string& text) {
    size_t i = 0;
    // atoi skips what isspace() calls white space in the C locale.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // INT_MIN's magnitude is the largest a field can mean; a longer number saturates.
    const long long magnitude = ReadDigits(text, i, std::string::npos, -static_cast<long long>(INT_MIN));
    if (negative) return static_cast<int>(-magnitude);
    return static_cast<int>(std::min<long long>(magnitude, INT_MAX));
}
