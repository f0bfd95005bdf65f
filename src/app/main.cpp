#include "app/Game.h"
#include "app/StandardStreams.h"

int main() {
    openClosedStandardStreams();
    return playGame();
}
