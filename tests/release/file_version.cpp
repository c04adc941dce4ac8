// Prints an executable's version resource as Windows reads it for the file's
// properties: the fixed file and product versions, then the US-English
// strings, one NAME=VALUE a line. Exit 1 when the file has none.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: file_version FILE\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed) {
        std::fprintf(stderr, "%s: no version resource\n", argv[1]);
        return 1;
    }
    std::printf("FixedFileVersion=%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    std::printf("FixedProductVersion=%u.%u.%u.%u\n", HIWORD(fixed->dwProductVersionMS),
                LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "CompanyName", "FileDescription"}) {
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        char* value = nullptr;
        if (VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            std::printf("%s=%s\n", name, value);
    }
    return 0;
}
