// farrow-assets -- writes the game's pictures, sounds, tune and icon into a folder (normally dat).
#include <cstdio>
#include <exception>

#include "tools/assets/AssetSet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: farrow-assets FOLDER\n");
    return 2;
  }
  try {
    AssetSet::WriteAll(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "farrow-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
