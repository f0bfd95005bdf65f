#include "text/TextGeometry.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr float kUvTolerance = 1e-6f;
constexpr int kScoreX = 10;
constexpr int kScoreY = 560;
constexpr int kScoreSize = 25;

// Corner slots within one character's six entries.
enum Corner { kUpLeft = 0, kDownLeft = 1, kUpRight = 2, kDownRight = 3 };

float signedArea(const glm::vec2& a, const glm::vec2& b, const glm::vec2& c) {
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

void expectUvNear(const glm::vec2& actual, float s, float t) {
    EXPECT_NEAR(actual.x, s, kUvTolerance);
    EXPECT_NEAR(actual.y, t, kUvTolerance);
}

}  // namespace

TEST(TextGeometry, SizeTwentyFiveGivesQuadsTenWideAndTwentyFiveHigh) {
    const TextGeometry geometry = buildTextGeometry("AB", kScoreX, kScoreY, kScoreSize);
    ASSERT_EQ(geometry.vertices.size(), 12u);
    const glm::vec2* first = &geometry.vertices[0];
    EXPECT_EQ(first[kUpLeft], glm::vec2(10.0f, 585.0f));
    EXPECT_EQ(first[kDownLeft], glm::vec2(10.0f, 560.0f));
    EXPECT_EQ(first[kUpRight], glm::vec2(20.0f, 585.0f));
    EXPECT_EQ(first[kDownRight], glm::vec2(20.0f, 560.0f));
    EXPECT_EQ(first[4], first[kUpRight]);
    EXPECT_EQ(first[5], first[kDownLeft]);
    const glm::vec2* second = &geometry.vertices[6];
    EXPECT_EQ(second[kUpLeft], glm::vec2(20.0f, 585.0f));
    EXPECT_EQ(second[kDownRight], glm::vec2(30.0f, 560.0f));
}

TEST(TextGeometry, ScoreLineOfFifteenCharactersEndsAtOneHundredSixty) {
    const char* scoreLine = "Points:   0/101";
    ASSERT_EQ(std::strlen(scoreLine), 15u);
    const TextGeometry geometry = buildTextGeometry(scoreLine, kScoreX, kScoreY, kScoreSize);
    ASSERT_EQ(geometry.vertices.size(), 90u);
    float rightmost = 0.0f;
    for (const glm::vec2& corner : geometry.vertices) {
        rightmost = std::max(rightmost, corner.x);
    }
    EXPECT_EQ(rightmost, 160.0f);
    EXPECT_EQ(geometry.vertices[84 + kUpLeft].x, 150.0f);
}

TEST(TextGeometry, AdvanceIsFortyPercentOfTheSizeTruncatedSoTinySizesShowNothing) {
    EXPECT_EQ(textAdvance(25), 10);
    EXPECT_EQ(textAdvance(24), 9);
    EXPECT_EQ(textAdvance(3), 1);
    for (int size : {1, 2}) {
        const TextGeometry geometry = buildTextGeometry("xy", 0, 0, size);
        for (const glm::vec2& corner : geometry.vertices) {
            EXPECT_EQ(corner.x, 0.0f) << "size " << size;
        }
    }
    const TextGeometry sizeThree = buildTextGeometry("xy", 0, 0, 3);
    EXPECT_EQ(sizeThree.vertices[kUpRight].x, 1.0f);
    EXPECT_EQ(sizeThree.vertices[6 + kUpRight].x, 2.0f);
}

TEST(TextGeometry, CapitalASamplesTheMiddleStripOfColumnOneRowFour) {
    const TextGeometry geometry = buildTextGeometry("A", 0, 0, kScoreSize);
    ASSERT_EQ(geometry.UVs.size(), 6u);
    expectUvNear(geometry.UVs[kUpLeft], 0.08125f, 0.25f);
    expectUvNear(geometry.UVs[kDownLeft], 0.08125f, 0.3125f);
    expectUvNear(geometry.UVs[kUpRight], 0.10625f, 0.25f);
    expectUvNear(geometry.UVs[kDownRight], 0.10625f, 0.3125f);
    EXPECT_EQ(geometry.UVs[4], geometry.UVs[kUpRight]);
    EXPECT_EQ(geometry.UVs[5], geometry.UVs[kDownLeft]);
}

TEST(TextGeometry, SpaceIsDrawnFromColumnZeroOfRowTwo) {
    const TextGeometry geometry = buildTextGeometry(" ", 0, 0, kScoreSize);
    ASSERT_EQ(geometry.vertices.size(), 6u);
    expectUvNear(geometry.UVs[kUpLeft], 0.01875f, 0.125f);
    expectUvNear(geometry.UVs[kDownRight], 0.04375f, 0.1875f);
}

TEST(TextGeometry, EveryCharacterGivesSixCornersInBothArrays) {
    for (const std::string& text :
         std::initializer_list<std::string>{"", "a", "Points:   0/101", std::string(300, 'w')}) {
        const TextGeometry geometry = buildTextGeometry(text.c_str(), 3, 4, 16);
        EXPECT_EQ(geometry.vertices.size(), 6 * text.size());
        EXPECT_EQ(geometry.UVs.size(), 6 * text.size());
    }
}

TEST(TextGeometry, BothTrianglesOfAGlyphAreCounterClockwise) {
    const TextGeometry geometry = buildTextGeometry("Q", 7, 9, kScoreSize);
    const std::vector<glm::vec2>& v = geometry.vertices;
    EXPECT_GT(signedArea(v[0], v[1], v[2]), 0.0f);
    EXPECT_GT(signedArea(v[3], v[4], v[5]), 0.0f);
}

TEST(TextGeometry, HighBytesUseTheLowerHalfOfTheAtlas) {
    const TextGeometry geometry = buildTextGeometry("\x80\xff", 0, 0, kScoreSize);
    ASSERT_EQ(geometry.UVs.size(), 12u);
    // 0x80 is column 0 of row 8, 0xff column 15 of row 15.
    expectUvNear(geometry.UVs[kUpLeft], 0.01875f, 0.5f);
    expectUvNear(geometry.UVs[6 + kUpLeft], 0.95625f, 0.9375f);
    expectUvNear(geometry.UVs[6 + kDownRight], 0.98125f, 1.0f);
    for (const glm::vec2& uv : geometry.UVs) {
        EXPECT_GE(uv.x, 0.0f);
        EXPECT_LE(uv.x, 1.0f);
        EXPECT_GE(uv.y, 0.0f);
        EXPECT_LE(uv.y, 1.0f);
    }
}

TEST(TextGeometry, NegativeXPlacesTheTextLeftOfTheOrigin) {
    const TextGeometry geometry = buildTextGeometry("ab", -30, -5, kScoreSize);
    EXPECT_EQ(geometry.vertices[kUpLeft], glm::vec2(-30.0f, 20.0f));
    EXPECT_EQ(geometry.vertices[kDownLeft], glm::vec2(-30.0f, -5.0f));
    EXPECT_EQ(geometry.vertices[6 + kUpLeft].x, -20.0f);
    EXPECT_EQ(geometry.vertices[6 + kUpRight].x, -10.0f);
}

TEST(TextGeometry, PositionsFarOutKeepGrowingInsteadOfWrapping) {
    const TextGeometry geometry = buildTextGeometry("abc", INT_MAX - 5, INT_MAX - 5, 1000);
    ASSERT_EQ(geometry.vertices.size(), 18u);
    EXPECT_GT(geometry.vertices[6 + kUpLeft].x, geometry.vertices[kUpLeft].x);
    EXPECT_GT(geometry.vertices[12 + kUpLeft].x, geometry.vertices[6 + kUpLeft].x);
    EXPECT_GT(geometry.vertices[kUpLeft].y, geometry.vertices[kDownLeft].y);
}

// The score line is laid out every frame; built into the geometry of the
// frame before, it reuses that storage and comes out as if built afresh.
TEST(TextGeometry, RebuildingIntoKeptGeometryReusesItsStorageAndForgetsTheOldText) {
    TextGeometry kept;
    buildTextGeometry("Points:   0/101", kScoreX, kScoreY, kScoreSize, kept);
    const glm::vec2* vertexStorage = kept.vertices.data();
    const glm::vec2* uvStorage = kept.UVs.data();

    buildTextGeometry("Points:  17/101", kScoreX, kScoreY, kScoreSize, kept);
    EXPECT_EQ(kept.vertices.data(), vertexStorage);
    EXPECT_EQ(kept.UVs.data(), uvStorage);
    const TextGeometry fresh = buildTextGeometry("Points:  17/101", kScoreX, kScoreY, kScoreSize);
    EXPECT_EQ(kept.vertices, fresh.vertices);
    EXPECT_EQ(kept.UVs, fresh.UVs);

    buildTextGeometry("ab", 0, 0, kScoreSize, kept);
    EXPECT_EQ(kept.vertices.size(), 12u);
    EXPECT_EQ(kept.UVs.size(), 12u);
}
