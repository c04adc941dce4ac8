// Numbers as bitmap files store them: little-endian, whatever the machine.
#pragma once

#include <cstdint>
#include <cstring>

namespace qzt {

inline uint16_t readLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline int32_t readLeSigned32(const uint8_t* p) {
    const uint32_t bits = readLe32(p);
    int32_t value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void writeLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void writeLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace qzt
