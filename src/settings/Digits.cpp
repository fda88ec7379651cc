#include "settings/Digits.h"

long long ReadDigits(const std::string& text, size_t& at, size_t most, long long cap) {
    long long value = 0;
    for (size_t read = 0; read < most && at < text.size() && text[at] >= '0' && text[at] <= '9'; ++read, ++at) {
        const int digit = text[at] - '0';
        value = value > (cap - digit) / 10 ? cap : value * 10 + digit;
    }
    return value;
}
