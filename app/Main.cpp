// Main -- the program entry of the game.
#include "app/Program.h"

int main() { return RunProgram(); }
