// The Help menu: every key of the editor, and the editor's name and version.
#pragma once

namespace qzt {

void showShortcuts();
void showAbout();

}  // namespace qzt
