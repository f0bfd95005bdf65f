#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/RunSetup.h"
#include "app/StandardStreams.h"
#include "app/StopSignals.h"

namespace {

// A command line that cannot be understood ends the run before any window.
constexpr int misuseExitCode = 2;
constexpr int missingDataDirectoryExitCode = 1;

}  // namespace

int main(int argc, char** argv) {
    openClosedStandardStreams();
    catchStopSignals();
    const CommandLine command = parseCommandLine(argc, argv);
    const GameOptions& options = command.options;
    if (!command.error.empty()) {
        std::fprintf(stderr, "quorralith: %s\n%s", command.error.c_str(), usageText().c_str());
        return misuseExitCode;
    }
    if (options.showHelp) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }
    // The replay and the recording are named from where the game was started.
    RunSetup setup;
    const std::string runError = prepareRun(options, setup);
    // A stop signal during a long replay's read-through ends the run before
    // any window, taking away the recording file it made.
    if (caughtStopSignal() != 0) {
        setup = RunSetup{};
        endByCaughtStopSignal();
    }
    if (!runError.empty()) {
        std::fprintf(stderr, "quorralith: %s\n", runError.c_str());
        return misuseExitCode;
    }
    if (!setup.replayWarning.empty()) {
        std::fprintf(stderr, "quorralith: %s\n", setup.replayWarning.c_str());
    }
    // Every file is opened by its bare name: the data directory has to be
    // the working directory before the first one is read.
    if (!options.dataDirectory.empty() && chdir(options.dataDirectory.c_str()) != 0) {
        std::fprintf(stderr, "quorralith: cannot use %s as the data directory: %s\n",
                     options.dataDirectory.c_str(), std::strerror(errno));
        return missingDataDirectoryExitCode;
    }
    const int exitCode = playGame(options, std::move(setup));
    endByCaughtStopSignal();
    return exitCode;
}
