#include "render/FileExtension.h"

#include <cctype>
#include <cstddef>

namespace {

int foldCase(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

}  // namespace

// One pass, never stepping back: after a mismatch the count restarts at the
// next character, so "ddds" is not taken for "dds". The texture names that the
// game uses never need the backtracking a general suffix test would do.
bool endsWithIgnoreCase(const char* path, const char* extension) {
    std::size_t matched = 0;
    for (const char* c = path; *c != '\0'; ++c) {
        if (foldCase(extension[matched]) == foldCase(*c)) {
            ++matched;
        } else {
            matched = 0;
        }
    }
    return extension[matched] == '\0';
}
