#include "app/Game.h"

int main() {
    return playGame();
}
