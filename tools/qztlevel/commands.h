// The commands of qztlevel. Each returns the tool's exit code.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "render/level_render.h"

namespace qzt {

// Loads every file; reports each one that fails, names nothing that loads.
int runCheck(const std::vector<std::string>& files, std::ostream& err);
// Loads in and writes it to out with the editor's writer; out is untouched
// unless in loaded. Warns, and still succeeds, when out's folder lacks the
// level's bitmap.
int runResave(const std::string& in, const std::string& out, std::ostream& err);
// Prints the level and its bitmap as one JSON object.
int runInfo(const std::string& file, std::ostream& out, std::ostream& err);
// Builds a level from JSON of the shape info prints, read from json or from
// in when json is "-", and writes it to out; out is untouched unless it all read.
int runImport(const std::string& json, const std::string& out, std::istream& in, std::ostream& err);

struct RenderRequest {
    std::string level;
    std::string png;
    LevelArea area = LevelArea::LevelRows;
    std::optional<Scroll> view;  // just the view at this scroll position
    RenderLayers layers;
    int scale = 1;
    GameFrame frame;  // the enemies where their motion has them then
};
// Draws the level into a PNG file; the file is untouched unless it is all written.
int runRender(const RenderRequest& request, std::ostream& err);

struct AnimateRequest {
    RenderRequest picture;  // its frame is left out: each output frame has its own
    int seconds = 10;
    int framesPerSecond = 30;  // a divisor of GameFramesPerSecond
};
// Draws the level in motion into an animated PNG file, output frame k showing
// game frame k x 60 / framesPerSecond; the file is untouched unless it is all written.
int runAnimate(const AnimateRequest& request, std::ostream& err);

}  // namespace qzt
