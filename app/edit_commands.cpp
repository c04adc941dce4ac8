#include "app/edit_commands.h"

namespace qzt {

void newImageSetCommand() {}
void newProgramCommand() {}

}  // namespace qzt
