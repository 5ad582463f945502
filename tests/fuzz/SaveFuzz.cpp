// SaveFuzz -- the save reader on arbitrary file bytes. What it accepts must come back the same
// through the writer, and must fit no game when no story is loaded.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/GameSave.h"
#include "game/SaveText.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSaveGame save;
  const TSaveRead read = ReadSaveText(std::string(reinterpret_cast<const char*>(data), size), save);
  if (read.Problem != TSaveProblem::None) {
    if (SaveRefusalText("1", read).empty()) std::abort();  // every refusal says why
    return 0;
  }
  const std::string text = WriteSaveText(save);
  TSaveGame again;
  if (ReadSaveText(text, again).Problem != TSaveProblem::None || WriteSaveText(again) != text) {
    std::fprintf(stderr, "an accepted save does not read back the same through the writer\n");
    std::abort();
  }
  if (SaveMismatch(save).empty()) {
    std::fprintf(stderr, "a save fits a game without a story\n");
    std::abort();
  }
  return 0;
}
