#include "assets/MissingImage.h"

#include <cstdio>

#include "assets/Platform.h"

unsigned int reportMissingImage(const char* imagepath) {
    printf(
        "%s could not be opened. Are you in the right directory ? Don't forget to read the "
        "FAQ !\n",
        imagepath);
    // The run waits for the user to press Enter before it goes on without
    // the texture.
    waitForAKeyAfterAMissingFile();
    return 0;
}
