#include "level/level_json.h"

#include <algorithm>

namespace qzt {

using Json = nlohmann::ordered_json;

std::string bytesAsUtf8(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

namespace {

Json text(const char* field) { return bytesAsUtf8(field); }

void addHeader(Json& info, const LevelHeader& header) {
    for (const HeaderTextField& field : HeaderTextFields) info[field.name] = text(header.*field.text);
    info["timeBonus"] = header.timeBonus;
}

Json imageSetsJson(const LevelDocument& doc) {
    Json sets = Json::array();
    for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
        const ImageSet& set = doc.imageSets[slot];
        if (!set.used) continue;
        sets.push_back({{"slot", slot},
                        {"x", set.x},
                        {"y", set.y},
                        {"width", set.width},
                        {"height", set.height},
                        {"frameCount", set.frameCount}});
    }
    return sets;
}

Json movementsJson(const EnemyProgram& program) {
    Json movements = Json::array();
    int count = std::clamp(program.movementCount, 0, MAX_MOVEMENTS);
    for (int i = 0; i < count; ++i) {
        const char* keyword = directionKeyword(program.direction[i]);
        movements.push_back({{"direction", program.direction[i]},
                             {"keyword", keyword ? Json(keyword) : Json(nullptr)},
                             {"steps", program.steps[i]},
                             {"firstFrame", program.firstFrame[i]},
                             {"lastFrame", program.lastFrame[i]}});
    }
    return movements;
}

Json programsJson(const LevelDocument& doc) {
    Json programs = Json::array();
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        const EnemyProgram& program = doc.programs[slot];
        if (!program.used) continue;
        programs.push_back({{"slot", slot}, {"movements", movementsJson(program)}});
    }
    return programs;
}

Json enemiesJson(const LevelDocument& doc) {
    Json enemies = Json::array();
    for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
        const Enemy& enemy = doc.enemies[slot];
        if (!enemy.used) continue;
        enemies.push_back({{"slot", slot},
                           {"x", enemy.x},
                           {"y", enemy.y},
                           {"imageSet", enemy.imageSet},
                           {"animationRate", enemy.animationRate},
                           {"hitPoints", enemy.hitPoints},
                           {"speed", enemy.speed},
                           {"program", enemy.program}});
    }
    return enemies;
}

}  // namespace

Json levelItemsJson(const LevelDocument& items) {
    Json json = Json::object();
    json["imageSets"] = imageSetsJson(items);
    json["programs"] = programsJson(items);
    json["enemies"] = enemiesJson(items);
    return json;
}

Json levelJson(const LevelDocument& doc) {
    Json json = Json::object();
    addHeader(json, doc.header);
    const Json items = levelItemsJson(doc);
    for (const auto& [name, list] : items.items()) json[name] = list;
    json["enemyCount"] = doc.enemyCount;
    return json;
}

}  // namespace qzt
