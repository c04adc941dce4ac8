// Reading JSON text whatever it holds: every fault becomes a message that
// names its place, and nesting is bounded.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace qzt {

// Arrays and objects nest no deeper than this; a level needs five.
constexpr size_t MaxJsonDepth = 64;

// Parses text into json; false with the fault in why ("parse error at line
// 3, column 18: number overflow parsing '1e400'"), json then being unusable.
bool parseJsonText(const std::string& text, nlohmann::json& json, std::string& why);

}  // namespace qzt
