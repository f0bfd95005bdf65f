#include "assets/ShaderSource.h"

std::string shaderSourceFromFile(const std::vector<unsigned char>& fileBytes) {
    const std::string text(fileBytes.begin(), fileBytes.end());
    std::string source;
    source.reserve(text.size() + 1);
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        const std::size_t feed = text.find('\n', lineStart);
        std::size_t lineEnd = feed == std::string::npos ? text.size() : feed;
        // A CR is part of the terminator only where a line feed follows it.
        if (feed != std::string::npos && lineEnd > lineStart && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        source += '\n';
        source.append(text, lineStart, lineEnd - lineStart);
        lineStart = feed == std::string::npos ? text.size() : feed + 1;
    }
    return source;
}
