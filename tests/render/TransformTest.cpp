#include "render/Transform.h"

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "support/VectorExpect.h"

namespace {

constexpr float kTolerance = 1e-5f;
constexpr float kNearlyPi = 3.14159f;
constexpr float kQuarterTurn = 1.5707964f;

}  // namespace

TEST(Transform, DefaultIsIdentityBeforeAndAfterStoringTheDefaultsAgain) {
    Transform transform;
    EXPECT_EQ(transform.getMatrix(), glm::mat4(1.0f));
    EXPECT_EQ(transform.getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(transform.getScale(), glm::vec3(1.0f));

    transform.setPosition(0.0f, 0.0f, 0.0f);
    transform.setRotation(0.0f, glm::vec3(0.0f, 1.0f, 0.0f));
    transform.setScale(1.0f, 1.0f, 1.0f);
    EXPECT_EQ(transform.getMatrix(), glm::mat4(1.0f));
}

TEST(Transform, DecorativeMeshPlacementMovesAndTurnsHalfWayRoundInEitherOrder) {
    const glm::vec3 position(38.0f, 1.2f, 42.0f);
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    Transform positionFirst;
    positionFirst.setPosition(position);
    positionFirst.setRotation(kNearlyPi, up);
    Transform rotationFirst;
    rotationFirst.setRotation(kNearlyPi, up);
    rotationFirst.setPosition(position);

    const glm::mat4& matrix = positionFirst.getMatrix();
    expectVec4Near(matrix[3], glm::vec4(38.0f, 1.2f, 42.0f, 1.0f));
    expectVec4Near(matrix * glm::vec4(1.0f, 0.0f, 0.0f, 0.0f), glm::vec4(-1.0f, 0, 0, 0));
    expectVec4Near(matrix * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f), glm::vec4(0, 0, -1.0f, 0));
    expectVec4Near(matrix * glm::vec4(0.0f, 1.0f, 0.0f, 0.0f), glm::vec4(0, 1.0f, 0, 0));
    EXPECT_EQ(positionFirst.getMatrix(), rotationFirst.getMatrix());
}

TEST(Transform, RotationAxisLengthDoesNotMatter) {
    Transform unitAxis;
    unitAxis.setRotation(0.7f, glm::vec3(0.0f, 1.0f, 0.0f));
    Transform longAxis;
    longAxis.setRotation(0.7f, glm::vec3(0.0f, 2.0f, 0.0f));
    expectMatrixNear(longAxis.getMatrix(), unitAxis.getMatrix(), kTolerance);
}

TEST(Transform, ScaleIsAppliedBeforeTheRotation) {
    Transform transform;
    transform.setScale(2.0f, 1.0f, 1.0f);
    transform.setRotation(kQuarterTurn, glm::vec3(0.0f, 1.0f, 0.0f));
    // The model's own x axis is stretched, and a quarter turn about +y takes
    // it to world -z.
    expectVec4Near(transform.getMatrix() * glm::vec4(1.0f, 0.0f, 0.0f, 0.0f),
                   glm::vec4(0.0f, 0.0f, -2.0f, 0.0f));
    expectVec4Near(transform.getMatrix() * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f),
                   glm::vec4(1.0f, 0.0f, 0.0f, 0.0f));
}

TEST(Transform, EverySetterRebuildsFromTheStoredValuesWithoutAccumulating) {
    Transform transform;
    transform.setPosition(5.0f, 0.0f, 0.0f);
    transform.setPosition(glm::vec3(1.0f, 2.0f, 3.0f));
    transform.setScale(3.0f, 3.0f, 3.0f);
    transform.setScale(glm::vec3(2.0f, 4.0f, 0.5f));
    transform.setRotation(1.0f, glm::vec3(1.0f, 0.0f, 0.0f));
    transform.setRotation(0.0f, glm::vec3(1.0f, 0.0f, 0.0f));

    glm::mat4 expected(1.0f);
    expected[0][0] = 2.0f;
    expected[1][1] = 4.0f;
    expected[2][2] = 0.5f;
    expected[3] = glm::vec4(1.0f, 2.0f, 3.0f, 1.0f);
    expectMatrixNear(transform.getMatrix(), expected, kTolerance);
    EXPECT_EQ(transform.getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(transform.getScale(), glm::vec3(2.0f, 4.0f, 0.5f));
}
