#include "support/GlContext.h"

#include "support/HiddenWindow.h"

#include <cstdio>
#include <cstdlib>

namespace {

GLFWwindow* sharedWindow = nullptr;

}  // namespace

void GlTest::SetUpTestSuite() {
    if (sharedWindow == nullptr) {
        sharedWindow = openHiddenWindow(1024, 768, 4, "Quorralith tests");
    }
}

void GlTest::SetUp() {
    ASSERT_NE(sharedWindow, nullptr) << "no GL context: is an X display (xvfb-run) available?";
    glfwMakeContextCurrent(sharedWindow);
}

GLFWwindow* GlTest::window() {
    return sharedWindow;
}
