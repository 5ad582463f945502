// StoryFileTest -- the shipped dat/story.crp.txt is the enciphered story/story.txt: the game
// loads it, and it carries every source line unchanged.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cipher/QuilCrypt.h"
#include "platform/DataFiles.h"
#include "platform/TextCodec.h"
#include "script/QuilScript.h"
#include "tests/BuildPaths.h"

namespace {

const char* const ShippedStory = "dat\\story.crp.txt";  // as the game names it
const char* const GameKey = "fable.txt";

// The source's lines in CP932, as the story tool enciphers them.
std::vector<std::string> SourceLines() {
  std::ifstream in(BuildPaths::StorySource, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << BuildPaths::StorySource;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string cp932;
    size_t bad = 0;
    EXPECT_TRUE(Platform::Utf8ToCp932(line, cp932, bad))
        << "story.txt:" << lines.size() + 1 << " holds a character CP932 lacks";
    lines.push_back(cp932);
  }
  return lines;
}

TEST(ShippedStory, CarriesEverySourceLineUnchanged) {
  std::vector<std::string> source = SourceLines();
  std::vector<std::string> plain(TQuilScript::MaxLines);
  std::string result;
  int count = 0;
  TQuilCrypt::ReadCipherFile(Platform::NativeFileName(ShippedStory), GameKey, result, count, TQuilScript::MaxLines - 1,
                             plain);
  ASSERT_EQ(result, "【成功】") << Platform::Cp932ToUtf8(result) << " (run `make story`)";
  ASSERT_EQ(count, static_cast<int>(source.size())) << "dat/story.crp.txt is out of date: run `make story`";
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(plain[i], source[i]) << "story.txt:" << i + 1 << " differs in dat/story.crp.txt ("
                                   << Platform::Cp932ToUtf8(plain[i]) << "): run `make story`";
  }
}

TEST(ShippedStory, TheGameLoadsItAsTheSourceReads) {
  std::vector<std::string> source = SourceLines();
  TQuilScript shipped;
  std::string result;
  shipped.LoadScenario(ShippedStory, GameKey, result);
  ASSERT_EQ(result, "【成功】") << "the game refuses its story: " << Platform::Cp932ToUtf8(result);

  // The same lines through the same loader (comments removed, labels reduced, "#end" added).
  TQuilScript fromSource;
  fromSource.LoadLines(BuildPaths::StorySource, source, static_cast<int>(source.size()), result);
  ASSERT_EQ(result, "【成功】") << Platform::Cp932ToUtf8(result);
  ASSERT_EQ(shipped.LineCount, fromSource.LineCount);
  for (int i = 0; i < shipped.LineCount; ++i) {
    EXPECT_EQ(shipped.Lines[i], fromSource.Lines[i]) << "story.txt:" << i + 1;
  }
  EXPECT_EQ(shipped.Position, 0);
}

}  // namespace
