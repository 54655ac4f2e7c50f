// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <SDL.h>

namespace runeshot {

// The few SDL functions the player uses, from SDL loaded at run time on the player's own
// thread. Linked in the usual way, SDL would bring some thirty libraries (sound servers,
// codecs, display back ends) into the program before its window could open, and make
// every symbol the window looks up at start search past them.
struct SdlLibrary {
    decltype(&SDL_Init) Init;
    decltype(&SDL_AudioInit) AudioInit;
    decltype(&SDL_Quit) Quit;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_TLSCleanup) TLSCleanup;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_GetCurrentAudioDriver) GetCurrentAudioDriver;
    // Since SDL 2.24; nullptr in an older SDL.
    decltype(&SDL_GetDefaultAudioInfo) GetDefaultAudioInfo;
    decltype(&SDL_free) free;
    decltype(&SDL_RWFromFile) RWFromFile;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// SDL, loaded on the first call; nullptr when it cannot be loaded, and then
// sdlLibraryError() says why.
const SdlLibrary* sdlLibrary();
const char* sdlLibraryError();

}  // namespace runeshot
