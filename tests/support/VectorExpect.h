#pragma once

#include <gtest/gtest.h>

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

// Compares positions and directions component by component, so that a failure
// names the axis that is off.
inline void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected,
                           float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}

inline void expectVec4Near(const glm::vec4& actual, const glm::vec4& expected,
                           float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
    EXPECT_NEAR(actual.w, expected.w, tolerance) << "w";
}

// Matrices element by element, indexed as glm indexes them.
inline void expectMatrixNear(const glm::mat4& actual, const glm::mat4& expected,
                             float tolerance = 1e-5f) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(actual[column][row], expected[column][row], tolerance)
                << "column " << column << ", row " << row;
        }
    }
}

inline void expectMatrixNear(const glm::mat3& actual, const glm::mat3& expected,
                             float tolerance = 1e-5f) {
    expectMatrixNear(glm::mat4(actual), glm::mat4(expected), tolerance);
}
