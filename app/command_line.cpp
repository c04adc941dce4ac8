#include "app/command_line.h"

#include <cstring>

#include "level/blanks.h"

namespace qzt {

std::string commandLineFile(const char* commandLine) {
    if (!commandLine) return {};
    const char* begin = commandLine;
    while (isBlank(*begin)) ++begin;
    if (*begin == '"') {
        ++begin;
        const char* close = std::strchr(begin, '"');
        return close ? std::string(begin, close) : std::string(begin);
    }
    const char* end = begin + std::strlen(begin);
    while (end > begin && isBlank(end[-1])) --end;
    return std::string(begin, end);
}

}  // namespace qzt
