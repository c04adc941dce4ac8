// The editor's four window classes: their names, and how each is registered.
#pragma once

#include <windows.h>

namespace qzt {

constexpr char MainWindowClass[] = "QZTleveledit";
constexpr char LevelPropertiesClass[] = "Header Props";
constexpr char NewEnemyClass[] = "New Enemy Box";
constexpr char EnemyProgramEditorClass[] = "EnemProg Box";
constexpr char LevelCheckClass[] = "Level Check Box";

// Every class redraws on resizing, has the arrow cursor and the panel brush
// for background. False when the class could not be registered.
bool registerWindowClass(const char* name, WNDPROC procedure, HICON icon);

}  // namespace qzt
