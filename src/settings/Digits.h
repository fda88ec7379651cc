// The one reader of decimal digits behind the number fields, the opt-in fields and the shop
// hours: each then says what may stand around the digits.
#pragma once

#include <climits>
#include <cstddef>
#include <string>

// The run of ASCII digits at `at` in `text`, at most `most` of them, read as a number that stops
// growing at `cap` (a longer run reads as `cap`); `at` moves past them. How many were read is
// how far `at` moved.
long long ReadDigits(const std::string& text, size_t& at, size_t most = std::string::npos, long long cap = LLONG_MAX);
