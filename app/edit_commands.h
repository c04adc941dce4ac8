// Delete, "New Image Set" and "New program based on current enemy".
#pragma once

namespace qzt {

// The selected enemy, else the selected image set unless an enemy uses it.
void deleteCommand();
void newImageSetCommand();
void newProgramCommand();

}  // namespace qzt
