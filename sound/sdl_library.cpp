// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_library.h"

#include <string>

#include "platform/platform.h"

namespace runeshot {

namespace {

struct Loaded {
    SdlLibrary functions{};
    bool complete = false;
    std::string error;
};

template <typename Function>
bool find(void* handle, const char* name, Function& function, std::string& error) {
    function = reinterpret_cast<Function>(platform::findSymbol(handle, name));
    if (function == nullptr) error = std::string(platform::sdlLibraryName) + " lacks " + name;
    return function != nullptr;
}

// SDL stays loaded for the rest of the program: its threads and the sound server's may
// outlive the player.
Loaded load() {
    Loaded loaded;
    void* handle = platform::openLibrary(platform::sdlLibraryName, loaded.error);
    if (handle == nullptr) return loaded;
    SdlLibrary& f = loaded.functions;
    std::string& e = loaded.error;
    // The first function missing (from an SDL too old) is the one named.
    loaded.complete =
        find(handle, "SDL_Init", f.Init, e) && find(handle, "SDL_AudioInit", f.AudioInit, e) &&
        find(handle, "SDL_Quit", f.Quit, e) &&
        find(handle, "SDL_SetHint", f.SetHint, e) && find(handle, "SDL_GetError", f.GetError, e) &&
        find(handle, "SDL_TLSCleanup", f.TLSCleanup, e) &&
        find(handle, "SDL_OpenAudioDevice", f.OpenAudioDevice, e) &&
        find(handle, "SDL_PauseAudioDevice", f.PauseAudioDevice, e) &&
        find(handle, "SDL_LockAudioDevice", f.LockAudioDevice, e) &&
        find(handle, "SDL_UnlockAudioDevice", f.UnlockAudioDevice, e) &&
        find(handle, "SDL_CloseAudioDevice", f.CloseAudioDevice, e) &&
        find(handle, "SDL_GetAudioDeviceStatus", f.GetAudioDeviceStatus, e) &&
        find(handle, "SDL_GetCurrentAudioDriver", f.GetCurrentAudioDriver, e) &&
        find(handle, "SDL_free", f.free, e) &&
        find(handle, "SDL_RWFromFile", f.RWFromFile, e) &&
        find(handle, "SDL_LoadWAV_RW", f.LoadWAV_RW, e) &&
        find(handle, "SDL_FreeWAV", f.FreeWAV, e) &&
        find(handle, "SDL_BuildAudioCVT", f.BuildAudioCVT, e) &&
        find(handle, "SDL_ConvertAudio", f.ConvertAudio, e);
    f.GetDefaultAudioInfo = reinterpret_cast<decltype(f.GetDefaultAudioInfo)>(
        platform::findSymbol(handle, "SDL_GetDefaultAudioInfo"));
    return loaded;
}

const Loaded& loaded() {
    static const Loaded once = load();
    return once;
}

}  // namespace

const SdlLibrary* sdlLibrary() { return loaded().complete ? &loaded().functions : nullptr; }

const char* sdlLibraryError() { return loaded().error.c_str(); }

}  // namespace runeshot
