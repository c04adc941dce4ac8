#include "tools/qztlevel/commands.h"

#include <istream>
#include <iterator>
#include <memory>
#include <ostream>

#include "edit/motion.h"
#include "gfx/bmp_decode.h"
#include "gfx/offscreen_load_steps.h"
#include "level/atomic_file.h"
#include "level/bitmap_beside_level.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/regular_file.h"
#include "tools/qztlevel/apng_output.h"
#include "level/level_import.h"
#include "level/level_json.h"
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

// The picture asked for at a game frame, before scaling; no rows when the
// area has none.
RgbImage renderRequested(const RenderRequest& request, const LevelDocument& doc, const RgbImage& bitmap,
                         GameFrame frame) {
    if (request.view) return renderView(doc, bitmap, *request.view, request.layers, frame);
    return renderLevel(doc, bitmap, request.area, request.layers, frame);
}

// Whether the picture can be drawn and scaled; if not, says why and gives the exit code.
int checkPicture(const RenderRequest& request, const RgbImage& picture, std::ostream& err) {
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
    return ToolOk;
}

// The animation's file; empty when the encoder fails.
std::string animationFile(const AnimateRequest& request, const LevelDocument& doc, const RgbImage& bitmap) {
    ApngEncoder apng(request.framesPerSecond, request.picture.scale);
    const int64_t gameFramesPerFrame = GameFramesPerSecond / request.framesPerSecond;
    for (int k = 0; k < request.seconds * request.framesPerSecond; ++k)
        if (!apng.add(renderRequested(request.picture, doc, bitmap, k * gameFramesPerFrame))) return {};
    return apng.file();
}

// Writes the file in path's place unless the encoder failed (no bytes).
int saveFile(const std::string& path, const std::string& bytes, std::ostream& err) {
    std::string why;
    if (!bytes.empty() && replaceFileAtomically(path.c_str(), bytes, why)) return ToolOk;
    err << path << ": cannot save: " << (bytes.empty() ? "the PNG encoder failed" : why) << '\n';
    return ToolFileFailed;
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
    nlohmann::ordered_json info = levelJson(*load.doc);
    const BmpImage& bitmap = *load.steps.bitmap();
    info["bitmap"] = {{"path", bytesAsUtf8(load.steps.bitmapPath())},
                      {"width", bitmap.width},
                      {"height", bitmap.height},
                      {"bitCount", bitmap.bitCount},
                      {"colours", bitmap.colourCount}};
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
    RgbImage picture = renderRequested(request, *load.doc, decodeBmpPixels(*load.steps.bitmap()), request.frame);
    if (const int code = checkPicture(request, picture, err)) return code;
    return saveFile(request.png, encodePng(scaledUp(picture, request.scale)), err);
}

int runAnimate(const AnimateRequest& request, std::ostream& err) {
    const RenderRequest& picture = request.picture;
    ToolLoad load;
    if (!load.run(picture.level, err)) return ToolFileFailed;
    const RgbImage bitmap = decodeBmpPixels(*load.steps.bitmap());
    if (const int code = checkPicture(picture, renderRequested(picture, *load.doc, bitmap, 0), err)) return code;
    return saveFile(picture.png, animationFile(request, *load.doc, bitmap), err);
}

}  // namespace qzt
