// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <filesystem>
#include <fstream>
#include <iostream>

#include "assets/sounds/sound_recipes.h"
#include "assets/sounds/wav_file.h"

// Writes the game's four WAV files into the folder named on the command line, or into the
// current folder.
int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    for (const runeshot::GameSound& sound : runeshot::makeGameSounds()) {
        const auto bytes = runeshot::encodeWav(sound.samples, runeshot::gameSoundRate, 1);
        const std::filesystem::path path = folder / sound.fileName;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "make_sounds: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
