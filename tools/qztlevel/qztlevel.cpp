#include "tools/qztlevel/qztlevel.h"

#include <ostream>
#include <string>
#include <utility>
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
    std::pair<int, int> view{0, 0};
    bool wholeBitmap = false, noEnemies = false, noPaths = false, noOutlines = false;
    bool strict = false, json = false;
    int scale = 1;
};

struct Commands {
    CLI::App app{Description, "qztlevel"};
    CLI::App* check;
    CLI::App* lint;
    CLI::App* resave;
    CLI::App* info;
    CLI::App* import;
    CLI::App* render;
    CLI::Option* view;

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
        render->add_flag("--whole-bitmap", w.wholeBitmap, "the rows above the level too");
        view = render->add_option("--view", w.view, "just the 500 x 380 view at scroll position H,V")
                   ->delimiter(',')
                   ->check(CLI::NonNegativeNumber);
        render->add_flag("--no-enemies", w.noEnemies, "leave out the enemies");
        render->add_flag("--no-paths", w.noPaths, "leave out the program paths");
        render->add_flag("--no-outlines", w.noOutlines, "leave out the image-set outlines");
        render->add_option("--scale", w.scale, "every pixel N x N pixels (1 to 16)")->check(CLI::Range(1, 16));
    }
};

// The help of the command given, or of the tool.
int usageError(const std::string& problem, const CLI::App& app, std::ostream& err) {
    err << "qztlevel: " << problem << "\n\n" << app.help();
    return ToolUsageError;
}

RenderRequest renderRequest(const Words& w, bool view) {
    RenderRequest request;
    request.level = w.files[0];
    request.png = w.files[1];
    request.area = w.wholeBitmap ? LevelArea::WholeBitmap : LevelArea::LevelRows;
    if (view) request.view = Scroll{w.view.first, w.view.second};
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
    if (count != 2) return usageError("render needs LEVEL.dat and OUT.png", c.app, err);
    return runRender(renderRequest(w, c.view->count() > 0), err);
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
