// The editor's four window classes.
#pragma once

#include <windows.h>

namespace qzt {

constexpr char MainWindowClass[] = "QZTleveledit";
constexpr char LevelPropertiesClass[] = "Header Props";
constexpr char NewEnemyClass[] = "New Enemy Box";
constexpr char EnemyProgramEditorClass[] = "EnemProg Box";

// Registers the classes one after the other and stops at the first that
// fails, leaving the later ones unregistered.
bool registerWindowClasses(HINSTANCE instance);

}  // namespace qzt
