#include "assets/Platform.h"

// A page has no standard input: getchar would open the browser's prompt.
void waitForAKeyAfterAMissingFile() {}
