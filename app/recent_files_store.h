// The recent files as the user's registry keeps them between runs, under
// HKEY_CURRENT_USER\Software\QZT\QZT Level Editor\Recent Files; every open and
// save also goes to Windows' own recent items.
#pragma once

#include "edit/recent_files.h"

namespace qzt {

// At start-up: the list as the registry holds it.
void loadRecentFiles();
const RecentFiles& recentFiles();
void rememberRecentFile(const char* path);
void forgetRecentFile(const char* path);
// As the editor exits: what is still on its way to Windows' recent items gets there.
void finishRecentFiles();

}  // namespace qzt
