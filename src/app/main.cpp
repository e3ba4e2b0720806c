#include "app/Loop.h"

int main(int, char**) {
    startUp();
    return runMainLoop();
}
