#pragma once

#include <unistd.h>

#include "support/GlContext.h"

// GL tests that read the game's own files from the working directory, as the
// game does, with the one vertex-array object that the game keeps bound.
// QUORRALITH_DATA_DIR names the data directory of the source tree.
class GameDataGlTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_TRUE(getcwd(previousDirectory, sizeof previousDirectory) != nullptr);
        ASSERT_EQ(chdir(QUORRALITH_DATA_DIR), 0);
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
    }
    void TearDown() override {
        glDeleteVertexArrays(1, &vertexArray);
        ASSERT_EQ(chdir(previousDirectory), 0);
    }

  private:
    char previousDirectory[4096] = {};
    GLuint vertexArray = 0;
};
