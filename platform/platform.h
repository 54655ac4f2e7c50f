// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

// What differs between the systems the game builds for; one source file per system
// (posix.cpp, windows.cpp) holds the answers.
namespace runeshot::platform {

// The file name of SDL 2's runtime library as the system's loader looks for it.
extern const char* const sdlLibraryName;

// Loads a shared library with the system's own loader; nullptr when it cannot, and then
// `error` says why. On Windows only the program's own folder and the system's are searched.
void* openLibrary(const char* name, std::string& error);
// A function of an opened library, or nullptr.
void* findSymbol(void* library, const char* name);
void closeLibrary(void* library);

// Names the calling thread, so that a debugger or top can tell it from the window's.
void nameThisThread(const char* name);

}  // namespace runeshot::platform
