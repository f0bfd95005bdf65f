#include "app/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t caught = 0;
// Opened before any signal can come: the handler may only make system calls
// that are safe in it, and open() is one, but it could fail there unsaid.
int endedInput = -1;

void remember(int signal) {
    caught = signal;
    // A signal that comes between two waits for a key interrupts neither: the
    // next wait must find the input ended, not block on it again.
    if (endedInput >= 0) {
        dup2(endedInput, STDIN_FILENO);
    }
}

}  // namespace

void catchStopSignals() {
    if (endedInput < 0) {
        endedInput = open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = remember;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait for a key that is under way when the signal comes
    // is given up too.
    action.sa_flags = 0;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

int caughtStopSignal() {
    return caught;
}

void endByCaughtStopSignal() {
    if (caught != 0) {
        // Exiting would write out what printf holds; dying by the signal
        // does not.
        std::fflush(nullptr);
        std::signal(caught, SIG_DFL);
        std::raise(caught);
    }
}
