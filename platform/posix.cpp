// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <dlfcn.h>
#include <pthread.h>

#include "platform/platform.h"

namespace runeshot::platform {

const char* const sdlLibraryName = "libSDL2-2.0.so.0";

void* openLibrary(const char* name, std::string& error) {
    void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        error = why != nullptr ? why : name;
    }
    return library;
}

void* findSymbol(void* library, const char* name) { return dlsym(library, name); }

void closeLibrary(void* library) { dlclose(library); }

void nameThisThread(const char* name) { pthread_setname_np(pthread_self(), name); }

}  // namespace runeshot::platform
