// Decimal text <-> 32-bit integers, the same on every build.
#pragma once

#include <cstdint>
#include <string>

namespace qzt {

// Optional leading white space, an optional sign, then digits up to the first
// other character; no digits gives 0. Values beyond 32 bits saturate, so a
// huge number never wraps into a different one.
int32_t parseDecimal(const char* text);

// The longest text formatDecimal writes: a sign and ten digits.
constexpr int MaxDecimalLength = 11;

// Writes value in base 10 ("-" for negatives, no leading zeros, no
// terminator) and returns the number of characters written.
int formatDecimal(int32_t value, char* out);

// Appends the same text to out.
void appendDecimal(std::string& out, int32_t value);

}  // namespace qzt
