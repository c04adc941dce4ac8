// Delete, "New Image Set" and "New program based on current enemy".
#pragma once

#include "edit/history.h"

namespace qzt {

// The selected enemies, else the selected image set unless an enemy uses
// it; the step named so.
void deleteCommand(StepName name = StepName::Delete);
void newImageSetCommand();
void newProgramCommand();

}  // namespace qzt
