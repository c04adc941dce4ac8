#include "edit/header_rules.h"

#include <algorithm>
#include <cstring>

namespace qzt {

void applyHeader(LevelDocument& doc, const HeaderEntry& entry) {
    for (size_t row = 0; row < entry.texts.size(); ++row) {
        const std::string& text = entry.texts[row];
        const size_t length = std::min({text.find_first_of("\r\n"), text.size(), size_t(HeaderTextCapacity - 1)});
        char(&field)[HeaderTextCapacity] = doc.header.*HeaderTextFields[row].text;
        std::memcpy(field, text.data(), length);
        field[length] = '\0';
    }
    doc.header.timeBonus = entry.timeBonus;
}

}  // namespace qzt
