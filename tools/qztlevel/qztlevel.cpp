#include "tools/qztlevel/qztlevel.h"

#include <ostream>
#include <string>
#include <vector>

#include "tools/qztlevel/commands.h"

namespace qzt {

namespace {

const char UsageText[] =
    "Usage: qztlevel COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  check FILE.dat...        load each level data file and its bitmap; report each\n"
    "                           one that fails, with the line and cause\n"
    "  resave IN.dat OUT.dat    load IN and write it to OUT as the editor saves it\n"
    "  info FILE.dat            print the level and its bitmap as JSON\n"
    "  help, --help, -h         show this text\n"
    "\n"
    "Bitmap paths are taken from the data file's own directory, as the editor\n"
    "does. Header texts are bytes: in JSON each byte is the character of the\n"
    "same code (U+0000 to U+00FF).\n"
    "\n"
    "Exit status: 0 done, 1 a file failed to load or save, 2 wrong usage.\n";

bool isHelpOption(const std::string& word) { return word == "--help" || word == "-h"; }

int usageError(const std::string& problem, std::ostream& err) {
    err << "qztlevel: " << problem << "\n\n" << UsageText;
    return ToolUsageError;
}

// The command and its arguments, already checked for help and options.
int dispatch(const std::string& command, const std::vector<std::string>& args, std::ostream& out,
             std::ostream& err) {
    if (command == "check") {
        if (args.empty()) return usageError("check needs at least one file", err);
        return runCheck(args, err);
    }
    if (command == "resave") {
        if (args.size() != 2) return usageError("resave needs IN.dat and OUT.dat", err);
        return runResave(args[0], args[1], err);
    }
    if (command == "info") {
        if (args.size() != 1) return usageError("info needs exactly one file", err);
        return runInfo(args[0], out, err);
    }
    return usageError("unknown command '" + command + "'", err);
}

}  // namespace

int runQztLevel(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    if (words.empty()) return usageError("no command given", err);
    bool help = words[0] == "help";
    for (const std::string& word : words) help = help || isHelpOption(word);
    if (help) {
        out << UsageText;
        return ToolOk;
    }
    // The tool has no options: a dash word is a mistyped one, not a file name.
    for (const std::string& word : words) {
        if (word.size() > 1 && word[0] == '-') return usageError("unknown option '" + word + "'", err);
    }
    return dispatch(words[0], std::vector<std::string>(words.begin() + 1, words.end()), out, err);
}

}  // namespace qzt
