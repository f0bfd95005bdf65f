#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "support/BackBuffer.h"

// One hidden 1024 x 768 GLFW window with an OpenGL 3.3 core context, opened
// once per test program and shared by every GL test in it. A test that needs
// GL derives its suite from GlTest.
class GlTest : public ::testing::Test {
  public:
    static void SetUpTestSuite();
    // The context stays for the whole program: GLFW can be initialised only
    // once per process without surprises, and each window costs llvmpipe time.

  protected:
    void SetUp() override;
    static GLFWwindow* window();
};
