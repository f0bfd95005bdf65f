#include "app/StopSignals.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t caught = 0;

void remember(int signal) {
    caught = signal;
}

}  // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = remember;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a loader waiting for a key after a missing file gives
    // up its wait, and the run ends at its first frame.
    action.sa_flags = 0;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

int caughtStopSignal() {
    return caught;
}

void endByCaughtStopSignal() {
    if (caught != 0) {
        std::signal(caught, SIG_DFL);
        std::raise(caught);
    }
}
