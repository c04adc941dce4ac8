#include "app/recent_files_store.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace qzt {
namespace {

constexpr char KeyPath[] = "Software\\QZT\\QZT Level Editor\\Recent Files";
// Long enough for the shell to write a shortcut, short enough not to hold up an exit.
constexpr DWORD ExitWaitMs = 2000;

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

void addNow(const char* path) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SHAddToRecentDocs(SHARD_PATHA, path);
    if (SUCCEEDED(com)) CoUninitialize();
}

// Paths on their way to Windows' recent items. The shell writes a shortcut
// through COM for each, tens of milliseconds even on a local disk, so each
// goes on a thread of its own and start-up and saves do not wait for it;
// the editor waits for them as it exits.
class ShellRecentItems {
public:
    ~ShellRecentItems() { finish(0); }
    void add(const char* path) {
        dropFinished();
        auto owned = std::make_unique<std::string>(path);
        HANDLE thread = CreateThread(nullptr, 0, run, owned.get(), 0, nullptr);
        if (!thread) return addNow(path);
        owned.release();
        threads_.push_back(thread);
    }
    // Gives those still running up to milliseconds in all.
    void finish(DWORD milliseconds) {
        const ULONGLONG end = GetTickCount64() + milliseconds;
        for (HANDLE thread : threads_) {
            const ULONGLONG now = GetTickCount64();
            WaitForSingleObject(thread, now < end ? DWORD(end - now) : 0);
            CloseHandle(thread);
        }
        threads_.clear();
    }

private:
    static DWORD WINAPI run(void* parameter) {
        const std::unique_ptr<std::string> path(static_cast<std::string*>(parameter));
        addNow(path->c_str());
        return 0;
    }
    void dropFinished() {
        const auto finished = std::remove_if(threads_.begin(), threads_.end(), [](HANDLE thread) {
            if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) return false;
            CloseHandle(thread);
            return true;
        });
        threads_.erase(finished, threads_.end());
    }
    std::vector<HANDLE> threads_;
};

ShellRecentItems shellRecentItems;

}  // namespace

void loadRecentFiles() { recent = RecentFiles(readPaths()); }

const RecentFiles& recentFiles() { return recent; }

void rememberRecentFile(const char* path) {
    recent.add(path);
    writePaths(recent.paths());
    shellRecentItems.add(path);
}

void forgetRecentFile(const char* path) {
    recent.remove(path);
    writePaths(recent.paths());
}

void finishRecentFiles() { shellRecentItems.finish(ExitWaitMs); }

}  // namespace qzt
