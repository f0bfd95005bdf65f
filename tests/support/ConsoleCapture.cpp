#include "support/ConsoleCapture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string makeTempFile(const std::string& contents) {
    char name[] = "/tmp/quorralith-console-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    const ssize_t written = write(fd, contents.data(), contents.size());
    close(fd);
    if (written != static_cast<ssize_t>(contents.size())) {
        throw std::runtime_error("short write to temp file");
    }
    return name;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Points one standard descriptor at a file for the lifetime of the object.
class Redirect {
  public:
    Redirect(int descriptor, const std::string& path, int flags)
        : descriptor(descriptor), saved(dup(descriptor)) {
        const int fd = open(path.c_str(), flags, 0600);
        dup2(fd, descriptor);
        close(fd);
    }
    ~Redirect() {
        dup2(saved, descriptor);
        close(saved);
    }
    Redirect(const Redirect&) = delete;
    Redirect& operator=(const Redirect&) = delete;

  private:
    int descriptor;
    int saved;
};

}  // namespace

ConsoleCapture captureConsole(const std::function<void()>& fn, const std::string& input) {
    const std::string inputPath = makeTempFile(input);
    const std::string outputPath = makeTempFile("");
    const std::string errorPath = makeTempFile("");
    ConsoleCapture capture;
    std::fflush(stdout);
    std::fflush(stderr);
    {
        Redirect in(STDIN_FILENO, inputPath, O_RDONLY);
        Redirect out(STDOUT_FILENO, outputPath, O_WRONLY | O_TRUNC);
        Redirect err(STDERR_FILENO, errorPath, O_WRONLY | O_TRUNC);
        // Unbuffered, so that the descriptor's offset counts exactly the
        // characters that the code under test asked for.
        std::setvbuf(stdin, nullptr, _IONBF, 0);
        std::clearerr(stdin);
        fn();
        std::fflush(stdout);
        std::fflush(stderr);
        capture.bytesReadFromStandardInput = lseek(STDIN_FILENO, 0, SEEK_CUR);
        std::clearerr(stdin);
    }
    capture.standardOutput = slurp(outputPath);
    capture.standardError = slurp(errorPath);
    std::remove(inputPath.c_str());
    std::remove(outputPath.c_str());
    std::remove(errorPath.c_str());
    return capture;
}
