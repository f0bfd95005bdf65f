#pragma once

// SIGTERM, SIGINT (Ctrl-C) and SIGHUP end the run as Escape does: the frame in
// progress finishes, the recording is complete, GL is released, and then the
// process ends by the same signal, so that the shell sees the status it
// expects for it.
void catchStopSignals();

// The stop signal caught, or 0.
int caughtStopSignal();

// Once the run is over: ends the process by the signal caught, if any.
void endByCaughtStopSignal();
