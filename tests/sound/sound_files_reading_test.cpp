// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sound_files.h"

#include <gtest/gtest.h>

#include "sound/sdl_library.h"
#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

int sdlAskedFor = 0;

const SdlLibrary* noSdl() {
    ++sdlAskedFor;
    return nullptr;
}

TEST(SoundFiles, readsThroughTheSdlItIsGivenAndWithoutOneReadsNothing) {
    ScratchFolder folder;
    folder.writeWav("short.wav", Samples(441, 1000));
    const std::string file = (folder.path() / "short.wav").string();

    SoundFiles withoutSdl(noSdl);
    EXPECT_EQ(withoutSdl.load(file), nullptr);
    EXPECT_EQ(sdlAskedFor, 1);

    SoundFiles withSdl(sdlLibrary);
    ASSERT_NE(withSdl.load(file), nullptr);
    EXPECT_EQ(withSdl.load(file)->size(), 441u * deviceBytesPerFrame);
}

}  // namespace
}  // namespace runeshot
