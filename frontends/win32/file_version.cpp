// Reads VS_FIXEDFILEINFO from the program file, so that the caption shows the version the file carries.
#include "frontends/win32/file_version.h"

#include "frontends/win32/windows_error.h"

#include <windows.h>

#include <string>
#include <vector>

namespace brelvix {

namespace {

std::wstring ownFileName() {
    // A path may be longer than MAX_PATH; the buffer grows until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            throwLastError();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

AppVersion readFileVersion() {
    const std::wstring path = ownFileName();
    DWORD unused = 0;
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
    if (size == 0) {
        throwLastError();
    }
    std::vector<BYTE> data(size);
    SetLastError(ERROR_SUCCESS);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        throwLastError();
    }
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", &fixed, &fixedSize) || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        throw WindowsError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    }
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return {static_cast<std::int16_t>(HIWORD(info.dwFileVersionMS)),
            static_cast<std::int16_t>(LOWORD(info.dwFileVersionMS)),
            static_cast<std::int16_t>(HIWORD(info.dwFileVersionLS))};
}

} // namespace brelvix
