#pragma once

// Opens /dev/null on each of standard input, output and error that the
// process was started without (`quorralith >&-`). Called first thing in main:
// a closed descriptor would otherwise be handed to the next file opened, the
// X connection among them, and the console's lines would be written into the
// X stream and a loader's wait for a key would read from it.
void openClosedStandardStreams();
