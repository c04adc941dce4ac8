#include "tools/qztlevel/commands.h"

#include <istream>
#include <iterator>
#include <memory>
#include <ostream>

#include "gfx/bmp_decode.h"
#include "gfx/offscreen_load_steps.h"
#include "level/bitmap_beside_level.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/regular_file.h"
#include "tools/qztlevel/level_import.h"
#include "tools/qztlevel/level_json.h"
#include "tools/qztlevel/png_output.h"
#include "tools/qztlevel/qztlevel.h"
#include "tools/qztlevel/tool_load.h"

namespace qzt {

namespace {

// A load into a fresh document with the editor's bitmap reader.
struct ToolLoad {
    std::unique_ptr<LevelDocument> doc = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;

    bool run(const std::string& file, std::ostream& err) { return loadForTool(file, *doc, steps, err); }
};

// The picture asked for, before scaling; no rows when the area has none.
RgbImage renderRequested(const RenderRequest& request, const LevelDocument& doc, const RgbImage& bitmap) {
    if (request.view) return renderView(doc, bitmap, *request.view, request.layers);
    return renderLevel(doc, bitmap, request.area, request.layers);
}

// Every byte of a regular file, or of in for "-"; false with the cause in why.
bool readInput(const std::string& file, std::istream& in, std::string& bytes, std::string& why) {
    if (file == "-") {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    return readWholeFile(file.c_str(), bytes, why);
}

// Saves doc to out with the editor's writer, or says why it could not.
int save(const std::string& out, const LevelDocument& doc, std::ostream& err) {
    SaveOutcome saved = saveLevelFile(out.c_str(), doc);
    if (saved.ok) return ToolOk;
    err << out << ": cannot save: " << saved.why << '\n';
    return ToolFileFailed;
}

}  // namespace

int runCheck(const std::vector<std::string>& files, std::ostream& err) {
    int code = ToolOk;
    for (const std::string& file : files) {
        ToolLoad load;
        if (!load.run(file, err)) code = ToolFileFailed;
    }
    return code;
}

int runResave(const std::string& in, const std::string& out, std::ostream& err) {
    ToolLoad load;
    if (!load.run(in, err)) return ToolFileFailed;
    const int code = save(out, *load.doc, err);
    const char* bitmap = load.doc->header.bitmapPath;
    if (code == ToolOk && bitmapLeftBehind(in, out, bitmap))
        err << out << ": warning: the level's bitmap " << bitmap << " is not in " << out
            << "'s folder; the level will not open there until it is copied\n";
    return code;
}

int runInfo(const std::string& file, std::ostream& out, std::ostream& err) {
    ToolLoad load;
    if (!load.run(file, err)) return ToolFileFailed;
    nlohmann::ordered_json info = levelInfoJson(*load.doc, load.steps.bitmapPath(), *load.steps.bitmap());
    // The texts are made valid UTF-8 already; replace only guards the dump.
    out << info.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return ToolOk;
}

int runImport(const std::string& json, const std::string& out, std::istream& in, std::ostream& err) {
    const std::string name = json == "-" ? "standard input" : json;
    std::string text, why;
    if (!readInput(json, in, text, why)) {
        err << name << ": " << why << '\n';
        return ToolFileFailed;
    }
    auto doc = std::make_unique<LevelDocument>();
    const std::string fault = levelFromJsonText(text, *doc);
    if (!fault.empty()) {
        err << name << ": " << fault << '\n';
        return ToolFileFailed;
    }
    return save(out, *doc, err);
}

int runRender(const RenderRequest& request, std::ostream& err) {
    ToolLoad load;
    if (!load.run(request.level, err)) return ToolFileFailed;
    RgbImage picture = renderRequested(request, *load.doc, decodeBmpPixels(*load.steps.bitmap()));
    if (picture.height == 0) {
        err << request.level << ": the bitmap has no rows from row " << LevelOriginRow
            << " on; --whole-bitmap draws all of it\n";
        return ToolFileFailed;
    }
    const uint64_t scaledBytes = uint64_t(picture.bytes.size()) * uint64_t(request.scale) * uint64_t(request.scale);
    if (scaledBytes > MaxBmpDecodedBytes) {
        err << "qztlevel: --scale " << request.scale << " makes a picture of " << scaledBytes
            << " bytes, above 512 MiB\n";
        return ToolUsageError;
    }
    if (request.scale > 1) picture = scaledUp(picture, request.scale);
    std::string why;
    if (!writePngFile(request.png.c_str(), picture, why)) {
        err << request.png << ": cannot save: " << why << '\n';
        return ToolFileFailed;
    }
    return ToolOk;
}

}  // namespace qzt
