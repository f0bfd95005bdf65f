#include <gtest/gtest.h>

#include "render/FileExtension.h"

TEST(FileExtension, LetterCaseOfTheEndingDoesNotMatter) {
    EXPECT_TRUE(endsWithIgnoreCase("diffuse.DDS", "dds"));
    EXPECT_TRUE(endsWithIgnoreCase("grad.DDS", "dds"));
    EXPECT_TRUE(endsWithIgnoreCase("specular.dDs", "DDS"));
    EXPECT_TRUE(endsWithIgnoreCase("normal.bmp", "bmp"));
    EXPECT_TRUE(endsWithIgnoreCase("NORMAL.BMP", "bmp"));
}

TEST(FileExtension, OtherEndingsAreNotTaken) {
    EXPECT_FALSE(endsWithIgnoreCase("normal.bmp", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("diffuse.DDS", "bmp"));
    EXPECT_FALSE(endsWithIgnoreCase("picture.png", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("picture.dds.png", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("ds", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("", "dds"));
}

TEST(FileExtension, AMismatchRestartsTheCountWithoutLookingBack) {
    EXPECT_FALSE(endsWithIgnoreCase("font.ddds", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("DDDS", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("normal.bbmp", "bmp"));
    EXPECT_TRUE(endsWithIgnoreCase("font.dds.dds", "dds"));
}

TEST(FileExtension, TheDotIsNotRequired) {
    EXPECT_TRUE(endsWithIgnoreCase("holsteindds", "dds"));
    EXPECT_TRUE(endsWithIgnoreCase("dds", "dds"));
    EXPECT_TRUE(endsWithIgnoreCase("texture_bmp", "BMP"));
}

TEST(FileExtension, BytesAboveAsciiInThePathAreSafe) {
    EXPECT_TRUE(endsWithIgnoreCase("caf\xe9\xff.dds", "dds"));
    EXPECT_FALSE(endsWithIgnoreCase("caf\xe9.dd\xff", "dds"));
}
