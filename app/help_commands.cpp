#include "app/help_commands.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/menu_bar.h"
#include "win32/modal.h"

namespace qzt {
namespace {

constexpr char ProductName[] = "QZT Level Editor";

// The product version of this program's version resource; empty without one.
std::string productVersion() {
    char path[MAX_PATH];
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, info.data())) return {};
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&value),
                        &length) ||
        length == 0)
        return {};
    return value;
}

}  // namespace

void showShortcuts() { ask(shortcutsText().c_str(), "Keyboard Shortcuts", MB_OK | MB_ICONINFORMATION); }

void showAbout() {
    const std::string version = productVersion();
    const std::string text = std::string(ProductName) + (version.empty() ? "" : "\r\nVersion " + version);
    ask(text.c_str(), "About QZT Level Editor", MB_OK | MB_ICONINFORMATION);
}

}  // namespace qzt
