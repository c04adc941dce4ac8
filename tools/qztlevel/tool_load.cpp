#include "tools/qztlevel/tool_load.h"

#include <ostream>

namespace qzt {

bool loadForTool(const std::string& file, LevelDocument& doc, LoadSteps& steps, std::ostream& err) {
    const std::string problem = levelFileProblem(file.c_str());
    if (!problem.empty()) {
        err << file << ": " << problem << '\n';
        return false;
    }
    LoadDiagnostic diagnostic;
    const LoadResult result = loadLevelFile(file.c_str(), doc, steps, &diagnostic);
    if (result == LoadOk) return true;
    err << file << ": " << loadResultMessage(result) << '\n';
    if (diagnostic.line == 0 && diagnostic.cause.empty()) return false;
    err << file << ": ";
    if (diagnostic.line != 0) err << "line " << diagnostic.line << ": ";
    err << diagnostic.cause << '\n';
    return false;
}

}  // namespace qzt
