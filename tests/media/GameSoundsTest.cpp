// The game's own sound data, when present: every WAV loads, and the tune makes sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "SoundOutput.h"
#include "platform/Sound.h"
#include "tests/BuildPaths.h"

using namespace SoundOutput;
namespace fs = std::filesystem;

namespace {
const fs::path kDat = fs::path(BuildPaths::SourceDir) / "dat";
}

TEST(GameSounds, EveryWavLoads) {
  std::error_code ec;
  int count = 0;
  for (const auto& entry : fs::directory_iterator(kDat, ec)) {
    if (entry.path().extension() != ".wav") continue;
    ++count;
    EXPECT_TRUE(Platform::CanLoadWave(entry.path().string())) << entry.path() << " does not load";
  }
  if (count == 0) GTEST_SKIP() << "no dat/*.wav in the repository yet";
}

TEST(GameSounds, TheTuneSounds) {
  fs::path tune = kDat / "farrow.mid";
  if (!fs::exists(tune)) GTEST_SKIP() << "no dat/farrow.mid in the repository yet";
  ASSERT_EQ(Platform::GGSLoadFile(tune.string().c_str(), 1), 0);
  ASSERT_EQ(Platform::GGSPlay(7, 0, 0), 0);
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(4.0)));
  EXPECT_GT(Loudest(started, started + Seconds(4.0)), 500) << "dat/farrow.mid renders as silence";
  Platform::GGSStop();
  Platform::GGSFree();
}
