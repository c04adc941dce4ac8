// "New Image Set" and "New program based on current enemy".
#pragma once

namespace qzt {

void newImageSetCommand();
void newProgramCommand();

}  // namespace qzt
