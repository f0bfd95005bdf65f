#pragma once

#include <functional>
#include <string>

// What a call printed and how much of standard input it consumed.
struct ConsoleCapture {
    std::string standardOutput;
    std::string standardError;
    long bytesReadFromStandardInput = 0;
};

// Runs fn with standard output and standard error captured and standard input
// read, unbuffered, from `input`; a loader's wait for one character therefore
// returns at once and is counted.
ConsoleCapture captureConsole(const std::function<void()>& fn, const std::string& input = "xyz\n");
