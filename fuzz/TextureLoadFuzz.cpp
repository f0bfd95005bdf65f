// libFuzzer target for the whole load of a texture file: the file read, the
// parse and the upload into a real GL context (a hidden window, which needs
// an X display), where a header that the parser lets through but GL cannot
// take shows as a GL error or a crash inside the driver. Built once per
// texture loader: TEXTURE_LOADER names it, TEXTURE_LOADER_HEADER declares it.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include TEXTURE_LOADER_HEADER
#include "support/HiddenWindow.h"

namespace {

std::string scratchPath;

void fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    std::exit(1);
}

void makeScratchFile() {
    char path[] = "/tmp/quorralith-fuzz-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        fail("cannot make a scratch file in /tmp");
    }
    close(fd);
    scratchPath = path;
    std::atexit([] { unlink(scratchPath.c_str()); });
}

void writeScratchFile(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(scratchPath.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        fail("cannot write the scratch file");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (openHiddenWindow(64, 64, 0, "Quorralith fuzz") == nullptr) {
        fail("no OpenGL 3.3 core context: run the whole-load fuzz targets under xvfb-run");
    }
    makeScratchFile();
    // The BMP loader's progress line for every input would only slow the run.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        fail("cannot silence standard output");
    }
    return 0;
}

// Traps when GL reports an error after the load: every upload that the
// loader makes must be one that GL accepts.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeScratchFile(data, size);
    const GLuint texture = TEXTURE_LOADER(scratchPath.c_str());
    if (glGetError() != GL_NO_ERROR) {
        __builtin_trap();
    }
    glDeleteTextures(1, &texture);
    return 0;
}
