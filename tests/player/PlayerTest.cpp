#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "player/Player.h"
#include "support/VectorExpect.h"

namespace {
constexpr float projectionTolerance = 1e-5f;
}  // namespace

TEST(Player, StartsAtItsDefaultsLookingAlongZ) {
    const Player player;
    EXPECT_EQ(player.getPosition(), glm::vec3(0.0f, 1.7f, -5.0f));
    EXPECT_EQ(player.getDirection(), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(player.getRight(), glm::vec3(0.0f));
    EXPECT_EQ(player.getUp(), glm::vec3(0.0f));
    EXPECT_EQ(player.getHorizontalAngle(), 0.0f);
    EXPECT_EQ(player.getVerticalAngle(), 0.0f);
    EXPECT_EQ(player.getAspectRatio(), 4.0f / 3.0f);
    EXPECT_EQ(player.getWalkSpeed(), 3.0f);
    EXPECT_EQ(player.getMouseSpeed(), 0.005f);
    EXPECT_EQ(player.getViewMatrix(), glm::mat4(1.0f));
}

TEST(Player, ProjectionTakesTheFieldOfViewAsRadiansWithDepthFromMinusOneToOne) {
    const Player player;
    const glm::mat4& projection = player.getProjectionMatrix();
    EXPECT_NEAR(projection[0][0], 1.344443f, projectionTolerance);
    EXPECT_NEAR(projection[1][1], 1.792591f, projectionTolerance);
    EXPECT_NEAR(projection[2][2], -1.002002f, projectionTolerance);
    EXPECT_EQ(projection[2][3], -1.0f);
    EXPECT_NEAR(projection[3][2], -0.2002002f, projectionTolerance);
    int zeros = 0;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            zeros += projection[col][row] == 0.0f ? 1 : 0;
        }
    }
    EXPECT_EQ(zeros, 11);
}

TEST(Player, LookStraightAheadGivesAHorizontalRightAndAnUpwardUp) {
    Player player;
    player.look(0.0f, 0.0f);
    expectVec3Near(player.getDirection(), {0.0f, 0.0f, 1.0f});
    expectVec3Near(player.getRight(), {std::sin(-1.57f), 0.0f, std::cos(-1.57f)});
    EXPECT_NEAR(player.getRight().x, -1.0f, 1e-6f);
    EXPECT_NEAR(player.getRight().z, 0.0008f, 1e-5f);
    expectVec3Near(player.getUp(), {0.0f, 1.0f, 0.0f}, 1e-6f);
    // The view puts the eye at the origin looking down -z.
    const glm::vec4 ahead =
        player.getViewMatrix() * glm::vec4(player.getPosition() + player.getDirection(), 1.0f);
    expectVec3Near(glm::vec3(ahead), {0.0f, 0.0f, -1.0f}, 1e-5f);
}

TEST(Player, PitchIsClampedAndMovesOnFromTheLimit) {
    Player player;
    for (int i = 0; i < 20; ++i) {
        player.look(0.0f, 0.5f);
    }
    EXPECT_EQ(player.getVerticalAngle(), 1.57f);
    EXPECT_GT(player.getDirection().y, 0.99f);
    player.look(0.0f, -0.1f);
    EXPECT_EQ(player.getVerticalAngle(), 1.57f - 0.1f);
    for (int i = 0; i < 20; ++i) {
        player.look(0.0f, -0.5f);
    }
    EXPECT_EQ(player.getVerticalAngle(), -1.57f);
}

TEST(Player, YawIsNeverWrapped) {
    Player player;
    for (int i = 0; i < 10; ++i) {
        player.look(10.0f, 0.0f);
    }
    EXPECT_FLOAT_EQ(player.getHorizontalAngle(), 100.0f);
    expectVec3Near(player.getDirection(), {std::sin(100.0f), 0.0f, std::cos(100.0f)}, 1e-4f);
}

TEST(Player, AspectRatioChangesOnlyTheProjection) {
    Player player;
    player.look(0.3f, 0.2f);
    const glm::mat4 view = player.getViewMatrix();
    const glm::vec3 position = player.getPosition();
    const float before = player.getProjectionMatrix()[0][0];
    player.setAspectRatio(2.0f);
    EXPECT_EQ(player.getAspectRatio(), 2.0f);
    EXPECT_NEAR(player.getProjectionMatrix()[0][0], before * (4.0f / 3.0f) / 2.0f, 1e-5f);
    EXPECT_EQ(player.getViewMatrix(), view);
    EXPECT_EQ(player.getPosition(), position);
}

TEST(Player, SetPositionChangesOnlyPositionAndView) {
    Player player;
    player.look(0.3f, 0.2f);
    const glm::vec3 direction = player.getDirection();
    const glm::vec3 right = player.getRight();
    const glm::vec3 up = player.getUp();
    const glm::mat4 projection = player.getProjectionMatrix();
    const glm::vec3 target(2.0f, 1.7f, 0.0f);
    player.setPosition(target);
    EXPECT_EQ(player.getPosition(), target);
    EXPECT_EQ(player.getViewMatrix(), glm::lookAt(target, target + direction, up));
    EXPECT_EQ(player.getDirection(), direction);
    EXPECT_EQ(player.getRight(), right);
    EXPECT_EQ(player.getUp(), up);
    EXPECT_EQ(player.getHorizontalAngle(), 0.3f);
    EXPECT_EQ(player.getVerticalAngle(), 0.2f);
    EXPECT_EQ(player.getProjectionMatrix(), projection);
}
