#include "level/level_import.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "level/json_text.h"

namespace qzt {

namespace {

using Json = nlohmann::json;

// The first fault; it ends the reading.
struct Fault {
    std::string what;
};

// What was found where something else was expected.
std::string found(const Json& value) {
    if (value.is_string()) return "a string";
    if (value.is_array()) return "an array";
    if (value.is_object()) return "an object";
    return value.dump();  // a number, true, false or null
}

// A value of the input and the JSON path that names it.
class Place {
public:
    Place(const Json& value, std::string path) : value_(value), path_(std::move(path)) {}

    [[noreturn]] void fail(const std::string& problem) const {
        throw Fault{(path_.empty() ? "the document" : path_) + ": " + problem};
    }

    // An object of these fields and no others, named what in the message.
    void expectObject(const std::vector<std::string>& fields, const char* what) const {
        if (!value_.is_object()) fail("expected an object, found " + found(value_));
        for (const auto& item : value_.items()) {
            if (std::find(fields.begin(), fields.end(), item.key()) == fields.end())
                Place(item.value(), child(item.key())).fail(std::string("not a field of ") + what);
        }
    }
    bool has(const char* name) const { return value_.contains(name); }
    Place field(const char* name) const {
        const std::string path = child(name);
        const auto at = value_.find(name);
        if (at == value_.end()) Place(value_, path).fail("missing");
        return Place(*at, path);
    }
    // The elements of an array of at most most things.
    std::vector<Place> elements(size_t most, const char* things) const {
        if (!value_.is_array()) fail("expected an array, found " + found(value_));
        if (value_.size() > most)
            fail(std::to_string(value_.size()) + " " + things + ", at most " + std::to_string(most));
        std::vector<Place> places;
        for (size_t i = 0; i < value_.size(); ++i)
            places.emplace_back(value_[i], path_ + "[" + std::to_string(i) + "]");
        return places;
    }
    // A whole number of 32 bits; 7.0 counts, as JSON does not tell it from 7.
    int32_t whole() const {
        if (!value_.is_number()) fail("expected a whole number, found " + found(value_));
        const double number = value_.get<double>();
        if (std::trunc(number) != number) fail("expected a whole number, found " + value_.dump());
        if (number < INT32_MIN || number > INT32_MAX)
            fail(value_.dump() + " is outside 32 bits (-2147483648..2147483647)");
        return int32_t(number);
    }
    const std::string& string() const {
        if (!value_.is_string()) fail("expected a string, found " + found(value_));
        return value_.get_ref<const std::string&>();
    }

private:
    std::string child(const std::string& name) const { return path_.empty() ? name : path_ + "." + name; }

    const Json& value_;
    std::string path_;
};

// The code of the UTF-8 character at text[i], moving i past it; the parser
// has checked the encoding.
uint32_t nextCharacter(const std::string& text, size_t& i) {
    const unsigned char lead = static_cast<unsigned char>(text[i++]);
    const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    uint32_t code = more == 0 ? lead : lead & (0x3Fu >> more);
    for (int k = 0; k < more && i < text.size(); ++k) code = code << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return code;
}

// The inverse of bytesAsUtf8, for a text that has to fit one data-file line.
void readText(const Place& place, char (&field)[HeaderTextCapacity]) {
    const std::string& text = place.string();
    std::string bytes;
    for (size_t i = 0; i < text.size();) {
        const uint32_t code = nextCharacter(text, i);
        if (code > 0xFF) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", unsigned(code));
            place.fail(std::string(name) + " is not a byte: each character stands for one byte, U+0001..U+00FF");
        }
        if (code == '\n') place.fail("a line break would end the data-file line");
        if (code == 0) place.fail("U+0000 would end the text");
        bytes += char(code);
    }
    if (bytes.size() > HeaderTextCapacity - 1)
        place.fail(std::to_string(bytes.size()) + " bytes, more than a data-file line holds (499)");
    setHeaderText(field, bytes.c_str());
}

using TakenSlots = std::bitset<15>;
static_assert(MAX_IMAGE_SETS == 15 && MAX_PROGRAMS == 15 && MAX_ENEMIES == 15);

int takeSlot(const Place& item, TakenSlots& taken) {
    const Place place = item.field("slot");
    const int32_t slot = place.whole();
    if (slot < 0 || slot >= int32_t(taken.size())) place.fail(std::to_string(slot) + " is not a slot (0..14)");
    if (taken[size_t(slot)]) place.fail("slot " + std::to_string(slot) + " is used twice");
    taken[size_t(slot)] = true;
    return slot;
}

void readImageSets(const Place& list, LevelDocument& doc) {
    TakenSlots taken;
    for (const Place& item : list.elements(MAX_IMAGE_SETS, "image sets")) {
        item.expectObject({"slot", "x", "y", "width", "height", "frameCount"}, "an image set");
        const int slot = takeSlot(item, taken);
        doc.imageSets[slot] = ImageSet{item.field("x").whole(),      item.field("y").whole(),
                                       item.field("width").whole(),  item.field("height").whole(),
                                       item.field("frameCount").whole(), slot, 1};
    }
}

int32_t readDirection(const Place& movement) {
    const Place direction = movement.field("direction");
    const int32_t code = direction.whole();
    const char* keyword = directionKeyword(code);
    if (!keyword) direction.fail(std::to_string(code) + " is not a direction (1..9)");
    if (movement.has("keyword")) {
        const Place given = movement.field("keyword");
        if (given.string() != keyword)
            given.fail("\"" + given.string() + "\" does not name direction " + std::to_string(code) + " (" + keyword +
                       ")");
    }
    return code;
}

void readPrograms(const Place& list, LevelDocument& doc) {
    TakenSlots taken;
    for (const Place& item : list.elements(MAX_PROGRAMS, "programs")) {
        item.expectObject({"slot", "movements"}, "a program");
        EnemyProgram& program = doc.programs[takeSlot(item, taken)];
        const std::vector<Place> movements = item.field("movements").elements(MAX_MOVEMENTS, "movements");
        for (size_t i = 0; i < movements.size(); ++i) {
            const Place& movement = movements[i];
            movement.expectObject({"direction", "keyword", "steps", "firstFrame", "lastFrame"}, "a movement");
            program.direction[i] = readDirection(movement);
            program.steps[i] = movement.field("steps").whole();
            program.firstFrame[i] = movement.field("firstFrame").whole();
            program.lastFrame[i] = movement.field("lastFrame").whole();
        }
        program.movementCount = int32_t(movements.size());
        program.used = 1;
    }
}

void readEnemies(const Place& list, LevelDocument& doc) {
    TakenSlots taken;
    for (const Place& item : list.elements(MAX_ENEMIES, "enemies")) {
        item.expectObject({"slot", "x", "y", "imageSet", "animationRate", "hitPoints", "speed", "program"}, "an enemy");
        const int slot = takeSlot(item, taken);
        doc.enemies[slot] = Enemy{item.field("x").whole(),         item.field("y").whole(),
                                  item.field("imageSet").whole(),  item.field("animationRate").whole(),
                                  item.field("hitPoints").whole(), item.field("speed").whole(),
                                  item.field("program").whole(),   1};
    }
    doc.enemyCount = int32_t(taken.count());
}

void readLevel(const Place& level, LevelDocument& doc) {
    std::vector<std::string> fields = {"timeBonus", "imageSets", "programs", "enemies", "enemyCount", "bitmap"};
    for (const HeaderTextField& text : HeaderTextFields) fields.push_back(text.name);
    level.expectObject(fields, "a level");
    for (const HeaderTextField& text : HeaderTextFields) readText(level.field(text.name), doc.header.*text.text);
    doc.header.timeBonus = level.field("timeBonus").whole();
    readImageSets(level.field("imageSets"), doc);
    readPrograms(level.field("programs"), doc);
    readEnemies(level.field("enemies"), doc);
    if (level.has("enemyCount")) {
        const Place count = level.field("enemyCount");
        const int32_t given = count.whole();
        if (given != doc.enemyCount)
            count.fail(std::to_string(given) + " is not the number of enemies (" + std::to_string(doc.enemyCount) +
                       ")");
    }
    doc.loaded = 1;
}

// Just the three lists, as a level's clipboard carries them.
void readItems(const Place& items, LevelDocument& doc) {
    items.expectObject({"imageSets", "programs", "enemies"}, "the items");
    readImageSets(items.field("imageSets"), doc);
    readPrograms(items.field("programs"), doc);
    readEnemies(items.field("enemies"), doc);
    doc.loaded = 1;
}

std::string readJsonText(const std::string& text, LevelDocument& doc, void (*read)(const Place&, LevelDocument&)) {
    Json json;
    std::string why;
    if (!parseJsonText(text, json, why)) return "invalid JSON: " + why;
    try {
        read(Place(json, ""), doc);
    } catch (const Fault& fault) {
        return fault.what;
    }
    return {};
}

}  // namespace

std::string levelFromJsonText(const std::string& text, LevelDocument& doc) { return readJsonText(text, doc, readLevel); }

std::string levelItemsFromJsonText(const std::string& text, LevelDocument& items) {
    return readJsonText(text, items, readItems);
}

}  // namespace qzt
