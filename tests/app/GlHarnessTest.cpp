#include "support/GlContext.h"

// The harness itself: a real 3.3 core context whose pixels can be read back.
TEST_F(GlTest, ClearColourReadsBackFromTheBackBuffer) {
    GLint major = 0;
    GLint minor = 0;
    GLint profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_GE(major * 10 + minor, 33);
    EXPECT_TRUE(profile & GL_CONTEXT_CORE_PROFILE_BIT);

    glClearColor(0.0f, 0.0f, 0.4f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const Rgba pixel = readBackBufferPixel(512, 384);
    EXPECT_EQ(pixel.r, 0);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.b, 102);

    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const Rgba other = readBackBufferPixel(3, 700);
    EXPECT_EQ(other.r, 255);
    EXPECT_NEAR(other.g, 128, 1);
    EXPECT_EQ(other.b, 0);
}
