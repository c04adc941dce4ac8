#include "app/recent_files_store.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <thread>
#include <vector>

namespace qzt {
namespace {

constexpr char KeyPath[] = "Software\\QZT\\QZT Level Editor\\Recent Files";

// Closes the key it was given, if one was opened.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* out() { return &key_; }
    operator HKEY() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Values "1" to "8", most recent first.
std::vector<std::string> readPaths() {
    std::vector<std::string> paths;
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath, 0, KEY_READ, key.out()) != ERROR_SUCCESS) return paths;
    for (size_t i = 1; i <= RecentFiles::Capacity; ++i) {
        char path[MAX_PATH * 4] = {};
        DWORD size = sizeof path - 1, type = 0;
        if (RegQueryValueExA(key, std::to_string(i).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(path), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ)
            paths.push_back(path);
    }
    return paths;
}

void writePaths(const std::vector<std::string>& paths) {
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.out(), nullptr) !=
        ERROR_SUCCESS)
        return;
    for (size_t i = 1; i <= RecentFiles::Capacity; ++i) {
        const std::string name = std::to_string(i);
        if (i <= paths.size()) {
            const std::string& path = paths[i - 1];
            RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           DWORD(path.size() + 1));
        } else {
            RegDeleteValueA(key, name.c_str());
        }
    }
}

RecentFiles recent;

// The shell writes a shortcut through COM for it, tens of milliseconds even
// on a local disk; a thread of its own keeps that out of start-up and saves.
// One cut short by the editor's exit loses only the jump list's entry.
void addToShellRecentItems(const char* path) {
    std::thread([path = std::string(path)] {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        SHAddToRecentDocs(SHARD_PATHA, path.c_str());
        if (SUCCEEDED(com)) CoUninitialize();
    }).detach();
}

}  // namespace

void loadRecentFiles() { recent = RecentFiles(readPaths()); }

const RecentFiles& recentFiles() { return recent; }

void rememberRecentFile(const char* path) {
    recent.add(path);
    writePaths(recent.paths());
    addToShellRecentItems(path);
}

void forgetRecentFile(const char* path) {
    recent.remove(path);
    writePaths(recent.paths());
}

}  // namespace qzt
