#include "assets/ShaderSource.h"

#include <gtest/gtest.h>

#include "assets/AssetFiles.h"

namespace {

std::string sourceOf(const std::string& fileText) {
    return shaderSourceFromFile(bytesOf(fileText));
}

}  // namespace

TEST(ShaderSource, EveryLineIsPrecededByALineFeedAndNothingFollowsTheLast) {
    EXPECT_EQ(sourceOf("#version 330 core\nvoid main() {}"), "\n#version 330 core\nvoid main() {}");
    EXPECT_EQ(sourceOf("a\n\nb\n"), "\na\n\nb");
    EXPECT_EQ(sourceOf("\n"), "\n");
}

TEST(ShaderSource, CrLfLineEndsGiveTheSameTextAsLineFeeds) {
    EXPECT_EQ(sourceOf("a\r\nb\r\n\r\nc\r\n"), sourceOf("a\nb\n\nc\n"));
}

TEST(ShaderSource, FinalLineFeedMakesNoDifference) {
    EXPECT_EQ(sourceOf("a\nb\n"), sourceOf("a\nb"));
    EXPECT_EQ(sourceOf("a\r\nb\r\n"), sourceOf("a\nb"));
}

TEST(ShaderSource, CarriageReturnWithoutLineFeedIsKept) {
    EXPECT_EQ(sourceOf("a\rb\n"), "\na\rb");
    EXPECT_EQ(sourceOf("a\r"), "\na\r");
}

TEST(ShaderSource, EmptyFileGivesEmptyText) {
    EXPECT_EQ(sourceOf(""), "");
}
