#pragma once

// SIGTERM, SIGINT (Ctrl-C) and SIGHUP end the run as Escape does: the frame in
// progress finishes, the recording is complete, GL is released, the console's
// buffered lines are written, and then the process ends by the same signal,
// so that the shell sees the status it expects for it. From the moment one
// comes, standard input reads as ended: a loader waiting for a key after a
// missing file gives up its wait, and so does every wait after it.
// SIGPIPE is ignored: a pipe with no reader left is a write that fails, which
// the recording says and the console survives, rather than the end of the
// game.
void catchStopSignals();

// The stop signal caught, or 0.
int caughtStopSignal();

// Once the run is over: writes out the console's buffered lines and ends the
// process by the signal caught, if any.
void endByCaughtStopSignal();
