#pragma once

#include <gtest/gtest.h>

#include <glm/vec3.hpp>

// Compares positions and directions component by component, so that a failure
// names the axis that is off.
inline void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected,
                           float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}
