#include "assets/Platform.h"

#include <cstdio>

void waitForAKeyAfterAMissingFile() {
    getchar();
}
