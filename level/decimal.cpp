#include "level/decimal.h"

#include <cstdint>

namespace qzt {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t parseDecimal(const char* text) {
    const char* p = text;
    while (isSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Accumulate the magnitude with a ceiling just past the 32-bit range.
    const int64_t ceiling = int64_t(INT32_MAX) + 1;
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > ceiling) magnitude = ceiling;
    }
    if (negative) return int32_t(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : int32_t(magnitude);
}

int formatDecimal(int32_t value, char* out) {
    char digits[MaxDecimalLength];
    int count = 0;
    int64_t rest = value;  // 64 bits, so negating INT32_MIN is safe
    int length = 0;
    if (rest < 0) {
        out[length++] = '-';
        rest = -rest;
    }
    do {
        digits[count++] = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    while (count > 0) out[length++] = digits[--count];
    return length;
}

void appendDecimal(std::string& out, int32_t value) {
    char text[MaxDecimalLength];
    out.append(text, size_t(formatDecimal(value, text)));
}

}  // namespace qzt
