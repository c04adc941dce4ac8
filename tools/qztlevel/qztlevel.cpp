#include "tools/qztlevel/qztlevel.h"

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "tools/qztlevel/commands.h"
#include "tools/qztlevel/lint_command.h"

namespace qzt {

namespace {

const char Description[] = "Checks, normalises, describes and draws level data files without a window,\n"
                           "and builds them from JSON, with the editor's own reader and writer.";
const char Notes[] =
    "Bitmap paths are taken from the data file's own directory, as the editor\n"
    "does. Header texts are bytes: in JSON each byte is the character of the\n"
    "same code (U+0000 to U+00FF). import reads that JSON back, from standard\n"
    "input when LEVEL.json is -.\n"
    "\n"
    "Exit status: 0 done, 1 a file failed to load or save, the JSON was\n"
    "refused or lint found an error, 2 wrong usage.";

// Every command's words; the parser leaves their count to the commands, which
// name what is missing.
struct Words {
    std::vector<std::string> files;
    std::vector<int> view;  // H and V, when given
    bool wholeBitmap = false, noEnemies = false, noPaths = false, noOutlines = false;
    bool strict = false, json = false;
    int scale = 1;
    int64_t frame = 0;
    int seconds = 10;
    int framesPerSecond = 30;
};

// The options of render and animate, which draw the same pictures.
void addPictureOptions(CLI::App* command, Words& w) {
    command->add_flag("--whole-bitmap", w.wholeBitmap, "the rows above the level too");
    command->add_option("--view", w.view, "just the 500 x 380 view at scroll position H,V")
        ->delimiter(',')
        ->expected(2)
        ->allow_extra_args(false)
        ->check(CLI::Range(0, INT_MAX));
    command->add_flag("--no-enemies", w.noEnemies, "leave out the enemies");
    command->add_flag("--no-paths", w.noPaths, "leave out the program paths");
    command->add_flag("--no-outlines", w.noOutlines, "leave out the image-set outlines");
    command->add_option("--scale", w.scale, "every pixel N x N pixels (1 to 16)")->check(CLI::Range(1, 16));
}

struct Commands {
    CLI::App app{Description, "qztlevel"};
    CLI::App* check;
    CLI::App* lint;
    CLI::App* resave;
    CLI::App* info;
    CLI::App* import;
    CLI::App* render;
    CLI::App* animate;
    CLI::Option* frame;

    explicit Commands(Words& w) {
        app.footer(Notes);
        // Unknown words are reported with the tool's own messages.
        app.allow_extras();
        check = app.add_subcommand("check", "load each level data file and its bitmap; report each one that fails,\n"
                                            "with the line and cause");
        check->add_option("FILE.dat", w.files, "level data files");
        lint = app.add_subcommand("lint", "report what is wrong in levels that load: one line per finding, errors\n"
                                          "and warnings; exit 1 when any file has an error or does not load");
        lint->add_option("FILE.dat", w.files, "level data files");
        lint->add_flag("--strict", w.strict, "warnings count as errors");
        lint->add_flag("--json", w.json, "print one JSON array of the findings");
        resave = app.add_subcommand("resave", "load IN and write it to OUT as the editor saves it");
        resave->add_option("IN.dat OUT.dat", w.files, "the level and where to write it");
        info = app.add_subcommand("info", "print the level and its bitmap as JSON");
        info->add_option("FILE.dat", w.files, "a level data file");
        import = app.add_subcommand("import", "build a level from JSON of the shape info prints (the bitmap facts\n"
                                              "are ignored) and write it to OUT as the editor saves it");
        import->add_option("LEVEL.json OUT.dat", w.files, "the JSON (- for standard input) and where to write");
        render = app.add_subcommand("render", "draw the level as the editor shows it into a PNG file: the bitmap from\n"
                                              "the level's first row, the enemies, every used enemy's program path\n"
                                              "and the image-set outlines");
        render->add_option("LEVEL.dat OUT.png", w.files, "the level and the picture to write");
        addPictureOptions(render, w);
        frame = render->add_option("--frame", w.frame,
                                   "the enemies as they are at game frame N (60 a second; 0 to 2147483647)\n"
                                   "instead of standing where they are placed")
                    ->check(CLI::TypeValidator<int64_t>(""))
                    ->check(CLI::Range(int64_t(0), int64_t(INT32_MAX)));
        animate = app.add_subcommand("animate", "draw the level in motion into an animated PNG file (APNG) that loops\n"
                                                "forever, as render --frame draws each frame");
        animate->add_option("LEVEL.dat OUT.png", w.files, "the level and the animation to write");
        addPictureOptions(animate, w);
        animate->add_option("--seconds", w.seconds, "how long it runs, whole seconds (1 to 600; 10 unless given)")
            ->check(CLI::TypeValidator<int>(""))
            ->check(CLI::Range(1, 600));
        animate->add_option("--fps", w.framesPerSecond, "frames a second, a divisor of 60 (30 unless given)")
            ->check(CLI::IsMember({1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30, 60}));
    }
};

// The help of the command given, or of the tool.
int usageError(const std::string& problem, const CLI::App& app, std::ostream& err) {
    err << "qztlevel: " << problem << "\n\n" << app.help();
    return ToolUsageError;
}

RenderRequest renderRequest(const Words& w) {
    RenderRequest request;
    request.level = w.files[0];
    request.png = w.files[1];
    request.area = w.wholeBitmap ? LevelArea::WholeBitmap : LevelArea::LevelRows;
    if (!w.view.empty()) request.view = Scroll{w.view[0], w.view[1]};
    request.layers = {!w.noEnemies, !w.noPaths, !w.noOutlines};
    request.scale = w.scale;
    return request;
}

int dispatch(const Commands& c, const Words& w, std::istream& in, std::ostream& out, std::ostream& err) {
    const size_t count = w.files.size();
    if (c.check->parsed()) {
        if (count == 0) return usageError("check needs at least one file", c.app, err);
        return runCheck(w.files, err);
    }
    if (c.lint->parsed()) {
        if (count == 0) return usageError("lint needs at least one file", c.app, err);
        return runLint({w.files, w.strict, w.json}, out, err);
    }
    if (c.resave->parsed()) {
        if (count != 2) return usageError("resave needs IN.dat and OUT.dat", c.app, err);
        return runResave(w.files[0], w.files[1], err);
    }
    if (c.info->parsed()) {
        if (count != 1) return usageError("info needs exactly one file", c.app, err);
        return runInfo(w.files[0], out, err);
    }
    if (c.import->parsed()) {
        if (count != 2) return usageError("import needs LEVEL.json and OUT.dat", c.app, err);
        return runImport(w.files[0], w.files[1], in, err);
    }
    if (c.animate->parsed()) {
        if (count != 2) return usageError("animate needs LEVEL.dat and OUT.png", c.app, err);
        return runAnimate({renderRequest(w), w.seconds, w.framesPerSecond}, err);
    }
    if (count != 2) return usageError("render needs LEVEL.dat and OUT.png", c.app, err);
    RenderRequest request = renderRequest(w);
    if (c.frame->count() > 0) request.frame = w.frame;
    return runRender(request, err);
}

}  // namespace

int runQztLevel(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err) {
    Words words;
    Commands commands(words);
    CLI::App& app = commands.app;
    if (argc > 1 && std::string(argv[1]) == "help") {
        out << app.help();
        return ToolOk;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();  // the chosen command's help, when there is one
        return ToolOk;
    } catch (const CLI::ParseError& e) {
        return usageError(e.what(), app, err);
    }
    // A dash word is a mistyped option, not a file name.
    for (const std::string& word : app.remaining(true))
        if (word.size() > 1 && word[0] == '-') return usageError("unknown option '" + word + "'", app, err);
    if (app.get_subcommands().empty()) {
        const std::vector<std::string> rest = app.remaining();
        return usageError(rest.empty() ? "no command given" : "unknown command '" + rest[0] + "'", app, err);
    }
    return dispatch(commands, words, in, out, err);
}

}  // namespace qzt
