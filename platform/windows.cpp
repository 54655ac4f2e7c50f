// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <windows.h>

#include "platform/platform.h"

namespace runeshot::platform {

const char* const sdlLibraryName = "SDL2.dll";

namespace {

std::wstring wide(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), length);
    return result;
}

std::string lastError(const char* name) {
    const DWORD code = GetLastError();
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    std::string result = std::string(name) + ": ";
    if (message != nullptr) {
        result += message;
        LocalFree(message);
        while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) {
            result.pop_back();
        }
    } else {
        result += "error " + std::to_string(code);
    }
    return result;
}

}  // namespace

// Not the current folder: a DLL of the same name left there must not be loaded.
void* openLibrary(const char* name, std::string& error) {
    HMODULE library = LoadLibraryExW(wide(name).c_str(), nullptr,
                                     LOAD_LIBRARY_SEARCH_APPLICATION_DIR |
                                         LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr) error = lastError(name);
    return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

// SetThreadDescription exists from Windows 10 1607 on; older systems leave threads unnamed.
void nameThisThread(const char* name) {
    using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return;
    const auto set = reinterpret_cast<SetDescription>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetThreadDescription")));
    if (set != nullptr) set(GetCurrentThread(), wide(name).c_str());
}

}  // namespace runeshot::platform
