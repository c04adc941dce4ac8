#include "win32/shell.h"

namespace qzt {

Shell shell;

}  // namespace qzt
