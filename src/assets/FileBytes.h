#pragma once

#include <unistd.h>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

// No asset of the game comes near this (the largest is a few megabytes); a
// file that grows past it is read only this far, so no path can make a
// loader read without end.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// An open file descriptor, closed when its owner goes; -1 for none.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd, other.fd);
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
    int get() const { return fd; }

  private:
    int fd;
};

// Whether the open file `fd` is a regular file: not a directory, a FIFO or a
// device, which could block a read or never end it.
bool isRegularFile(int fd);

// The content of a regular file, read in binary, at most maxBytes of it;
// nullopt when it cannot be opened or is not a regular file (a directory, a
// FIFO, a device), which the loaders then report as a file they cannot open.
// A read that stops early keeps what was read: the parsers treat a short
// file as one that ends there. The loaders keep the default cap; a smaller
// one lets a test reach it without reading 64 MiB.
std::optional<std::vector<unsigned char>> readFileBytes(const char* path,
                                                        std::size_t maxBytes = kMaxFileBytes);
