#include "settings/IntField.h"

#include <climits>

int ParseIntField(const std::string& text) {
    size_t i = 0;
    // atoi skips what isspace() calls white space in the C locale.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number: its range reaches INT_MIN.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < static_cast<long long>(INT_MIN)) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    if (negative) return static_cast<int>(value);
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}
