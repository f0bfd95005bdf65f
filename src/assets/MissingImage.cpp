#include "assets/MissingImage.h"

#include <cstdio>

unsigned int reportMissingImage(const char* imagepath) {
    printf(
        "%s could not be opened. Are you in the right directory ? Don't forget to read the "
        "FAQ !\n",
        imagepath);
    // The run waits for the user to press Enter before it goes on without
    // the texture.
    getchar();
    return 0;
}
