#include "level/json_text.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qzt {
namespace {

using Json = nlohmann::json;

// Builds the value as the library's own parser does, but stops at nesting
// deeper than MaxJsonDepth, and keeps every fault as text: the library throws
// some (a number out of range) without saying where.
class BoundedBuilder : public nlohmann::json_sax<Json> {
public:
    BoundedBuilder(const std::string& text, Json& root, std::string& why) : text_(text), root_(root), why_(why) {}

    bool null() override { return value(nullptr); }
    bool boolean(bool b) override { return value(b); }
    bool number_integer(number_integer_t n) override { return value(n); }
    bool number_unsigned(number_unsigned_t n) override { return value(n); }
    bool number_float(number_float_t n, const string_t&) override { return value(n); }
    bool string(string_t& text) override { return value(std::move(text)); }
    bool binary(binary_t&) override { return false; }  // JSON text has none
    bool key(string_t& name) override {
        key_ = std::move(name);
        return true;
    }
    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t at, const std::string&, const Json::exception& fault) override {
        const std::string what = fault.what();  // "[json.exception.parse_error.101] parse error at line 2, ..."
        const std::string message = what.substr(what.find("] ") + 2);
        why_ = dynamic_cast<const Json::parse_error*>(&fault) ? message : "parse error at " + placeOf(at) + ": " + message;
        return false;
    }

private:
    // Puts v in the innermost open array or object, or at the root.
    Json& add(Json v) {
        if (open_.empty()) return root_ = std::move(v);
        Json& parent = *open_.back();
        if (!parent.is_array()) return parent[key_] = std::move(v);
        parent.push_back(std::move(v));
        return parent.back();
    }
    bool value(Json v) {
        add(std::move(v));
        return true;
    }
    bool open(Json container) {
        if (open_.size() == MaxJsonDepth) {
            why_ = "arrays and objects nested more than " + std::to_string(MaxJsonDepth) + " deep";
            return false;
        }
        open_.push_back(&add(std::move(container)));
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }
    // As the library's own messages give it: the line, and the characters
    // read of it.
    std::string placeOf(size_t at) const {
        const std::string read = text_.substr(0, at);
        const size_t lineStart = read.rfind('\n') + 1;  // 0 on the first line
        return "line " + std::to_string(1 + std::count(read.begin(), read.end(), '\n')) + ", column " +
               std::to_string(read.size() - lineStart);
    }

    const std::string& text_;
    Json& root_;
    std::string& why_;
    std::vector<Json*> open_;  // the arrays and objects being filled, innermost last
    std::string key_;
};

}  // namespace

bool parseJsonText(const std::string& text, Json& json, std::string& why) {
    BoundedBuilder builder(text, json, why);
    return Json::sax_parse(text, &builder);
}

}  // namespace qzt
