#include "edit/recovery_stamp.h"

#include <cstdio>
#include <cstring>

namespace qzt {
namespace {

constexpr char Opening[] = "\r\nrecovery of level ";
constexpr char Between[] = " by editor ";
constexpr char Unknown[] = "unknown";
constexpr size_t HexDigits = 16;

std::string hex(uint64_t value) {
    char text[HexDigits + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// Exactly sixteen lower-case hex digits at text.
std::optional<uint64_t> readHex(const char* text) {
    uint64_t value = 0;
    for (size_t i = 0; i < HexDigits; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | uint64_t(digit);
    }
    return value;
}

}  // namespace

std::string stampedRecovery(const std::string& levelBytes, const RecoveryStamp& stamp) {
    const std::string level = stamp.levelFingerprint ? hex(*stamp.levelFingerprint) : Unknown;
    return levelBytes + Opening + level + Between + hex(stamp.editorRun) + "\r\n";
}

std::optional<RecoveryStamp> recoveryStampOf(const std::string& fileBytes) {
    const size_t at = fileBytes.rfind(Opening);
    if (at == std::string::npos) return std::nullopt;
    const std::string line = fileBytes.substr(at + std::strlen(Opening));
    RecoveryStamp stamp;
    size_t next = 0;
    if (line.compare(0, std::strlen(Unknown), Unknown) == 0) {
        next = std::strlen(Unknown);
    } else {
        if (line.size() < HexDigits) return std::nullopt;
        stamp.levelFingerprint = readHex(line.c_str());
        if (!stamp.levelFingerprint) return std::nullopt;
        next = HexDigits;
    }
    const std::string tail = line.substr(next);
    if (tail.size() != std::strlen(Between) + HexDigits + 2 || tail.compare(0, std::strlen(Between), Between) != 0 ||
        tail.compare(tail.size() - 2, 2, "\r\n") != 0)
        return std::nullopt;
    const std::optional<uint64_t> run = readHex(tail.c_str() + std::strlen(Between));
    if (!run) return std::nullopt;
    stamp.editorRun = *run;
    return stamp;
}

}  // namespace qzt
