#include "tools/qztlevel/lint_command.h"

#include <memory>
#include <ostream>
#include <unordered_map>

#include <nlohmann/json.hpp>

#include "edit/level_lint.h"
#include "edit/view_geometry.h"
#include "gfx/bmp_file.h"
#include "level/level_json.h"
#include "tools/qztlevel/qztlevel.h"
#include "tools/qztlevel/tool_load.h"

namespace qzt {
namespace {

using Json = nlohmann::ordered_json;

// Loads that read each bitmap file once however many levels name it, and
// keep only its size: the check needs no pixels.
class BitmapSizeSteps final : public LoadSteps {
public:
    void resetScrollPositions() override {}
    void showBitmap() override {}
    void setCaption(const char*) override {}

    bool replaceBitmap(const char* path, std::string& why) override {
        current_ = nullptr;
        if (path == nullptr) return false;  // the loader says why itself
        auto [known, added] = read_.try_emplace(path);
        if (added) {
            BmpReadResult read = readBmpFile(path);
            known->second.why = read.why;
            if (read.image) known->second.size = BitmapSize{read.image->width, bitmapRows(read.image->height)};
        }
        current_ = &known->second;
        why = current_->why;
        return current_->size.has_value();
    }

    // The size of the bitmap of the last load.
    std::optional<BitmapSize> size() const { return current_ ? current_->size : std::nullopt; }

private:
    struct Read {
        std::optional<BitmapSize> size;
        std::string why;
    };
    std::unordered_map<std::string, Read> read_;
    const Read* current_ = nullptr;
};

// Whether a path names a file, asked of the system once per path.
class FileLookups {
public:
    bool namesFile(const std::string& path) {
        auto [known, added] = names_.try_emplace(path);
        if (added) known->second = levelFileProblem(path.c_str()).empty();
        return known->second;
    }

private:
    std::unordered_map<std::string, bool> names_;
};

const char* kindJson(LintKind kind) {
    switch (kind) {
    case LintKind::Header: return "header";
    case LintKind::Program: return "program";
    case LintKind::Enemy: return "enemy";
    case LintKind::ImageSet: return "imageSet";
    }
    return "";
}

Json findingJson(const std::string& file, const LintFinding& finding) {
    Json json = {{"file", bytesAsUtf8(file)},
                 {"severity", lintSeverityText(finding.severity())},
                 {"rule", lintRuleId(finding.rule)},
                 {"message", bytesAsUtf8(finding.message)},
                 {"kind", kindJson(finding.kind)}};
    if (finding.slot >= 0) json["slot"] = finding.slot;
    if (finding.movement >= 0) json["movement"] = finding.movement;
    if (finding.frame >= 0) json["frame"] = finding.frame;
    return json;
}

}  // namespace

int runLint(const LintRequest& request, std::ostream& out, std::ostream& err) {
    BitmapSizeSteps steps;
    FileLookups lookups;
    Json all = Json::array();
    bool failed = false;
    for (const std::string& file : request.files) {
        auto doc = std::make_unique<LevelDocument>();
        if (!loadForTool(file, *doc, steps, err)) {
            failed = true;
            continue;
        }
        // Sound paths are relative to the data file's folder as the bitmap's is.
        LintFacts facts{steps.size(), [&](const char* path) { return lookups.namesFile(levelBitmapPath(file.c_str(), path)); }};
        for (const LintFinding& finding : lintLevel(*doc, facts)) {
            failed = failed || request.strict || finding.severity() == LintSeverity::Error;
            if (request.json)
                all.push_back(findingJson(file, finding));
            else
                out << file << ": " << lintFindingText(finding) << '\n';
        }
    }
    if (request.json) out << all.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    return failed ? ToolFileFailed : ToolOk;
}

}  // namespace qzt
