#include <gtest/gtest.h>

#include "shell/number_text.h"

using runeshot::textToNumber;

TEST(NumberReader, ReadsTheGameLengthsAPlayerTypes) {
    EXPECT_EQ(textToNumber("12.5"), 12.5);
}
