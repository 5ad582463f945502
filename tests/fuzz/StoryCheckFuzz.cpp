// StoryCheckFuzz -- the story tool's check on arbitrary source bytes, read as UTF-8 and as
// CP932.
#include <string>

#include "author/StoryCheck.h"
#include "author/StorySource.h"
#include "tests/fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  for (bool isCp932 : {false, true}) {
    Story::TSource source = Story::ConvertSource(bytes, isCp932);
    for (const Story::TBadCharacter& bad : source.Bad) Story::BadCharacterText(bad);
    Story::CheckScenario(source);
  }
  return 0;
}
