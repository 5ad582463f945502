// The MIDI tune through SDL_mixer's FluidSynth decoder, heard through the disk audio driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "SoundOutput.h"
#include "game/Press.h"
#include "game/UnitMain.h"
#include "media/QuilMidi.h"
#include "platform/Sound.h"
#include "tests/BuildPaths.h"

using namespace SoundOutput;

TEST(QuilMidi, ALoopingTuneKeepsSoundingPastItsOwnLength) {
  WriteTune("tune.mid", 1);  // one quarter note: half a second
  TQuilMidi::Startup();
  std::string result;
  TQuilMidi::Play("tune.mid", true, result);
  ASSERT_EQ(result, "問題なし");
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(2.5)));
  EXPECT_GT(Loudest(started, started + Seconds(0.5)), 500) << "the tune is silent";
  EXPECT_GT(Loudest(started + Seconds(1.6), started + Seconds(2.5)), 500)
      << "a looping tune stopped after its first round";
  TQuilMidi::Shutdown();
}

TEST(QuilMidi, OnceMeansOnce) {
  WriteTune("tune.mid", 1);
  std::string result;
  TQuilMidi::Play("tune.mid", false, result);
  ASSERT_EQ(result, "問題なし");
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(4.0)));
  EXPECT_GT(Loudest(started, started + Seconds(0.5)), 500);
  EXPECT_LT(Loudest(started + Seconds(3.0), started + Seconds(4.0)), 50) << "a tune played once came round again";
  TQuilMidi::Shutdown();
}

TEST(QuilMidi, PlayingAgainRestartsAndStopFadesOut) {
  WriteTune("tune.mid", 8);
  std::string result;
  TQuilMidi::Play("tune.mid", true, result);
  TQuilMidi::Play("tune.mid", true, result);
  EXPECT_EQ(result, "問題なし");
  ASSERT_TRUE(WaitForOutput(Written() + Seconds(0.5)));
  TQuilMidi::Stop();
  size_t stopped = Written();
  ASSERT_TRUE(WaitForOutput(stopped + Seconds(1.5)));
  EXPECT_GT(Loudest(stopped, stopped + Seconds(0.08)), 500) << "the tune was cut, not faded";
  EXPECT_LT(Loudest(stopped + Seconds(0.5), stopped + Seconds(1.5)), 50);
  TQuilMidi::Shutdown();
}

// The title tune plays until the press that dismisses the title; it must not play on in the game.
TEST(QuilMidi, ThePressThatDismissesTheTitleStopsTheTitleTune) {
  WriteTune("tune.mid", 8);
  std::string result;
  TQuilMidi::Play("tune.mid", true, result);
  ASSERT_TRUE(WaitForOutput(Written() + Seconds(0.3)));
  TitleShowing = true;
  PressPlayAreaAt(300, 300);
  ASSERT_FALSE(TitleShowing);
  size_t pressed = Written();
  ASSERT_TRUE(WaitForOutput(pressed + Seconds(1.5)));
  EXPECT_LT(Loudest(pressed + Seconds(0.5), pressed + Seconds(1.5)), 50) << "the title tune plays on in the game";
  TQuilMidi::Shutdown();
}

// Death and the world's break stop the tune and start it again in one go: no fade may swallow it.
TEST(QuilMidi, APlayRightAfterAStopSoundsInFull) {
  WriteTune("tune.mid", 8);
  std::string result;
  TQuilMidi::Play("tune.mid", true, result);
  ASSERT_TRUE(WaitForOutput(Written() + Seconds(0.3)));
  TQuilMidi::Stop();
  TQuilMidi::Play("tune.mid", true, result);
  EXPECT_EQ(result, "問題なし");
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(1.0)));
  EXPECT_GT(Loudest(started + Seconds(0.5), started + Seconds(1.0)), 500) << "the new tune faded with the old one";
  TQuilMidi::Shutdown();
}

TEST(QuilMidi, AtStartUpTheTuneWaitsForTheFirstFrameAndAStopMeanwhileHolds) {
  WriteTune("tune.mid", 8);
  std::string result;
  Platform::DeferMusic();
  TQuilMidi::Play("tune.mid", true, result);
  EXPECT_EQ(result, "問題なし") << "a good tune is taken while deferred";
  Platform::StartDeferredMusic();
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(0.5)));
  EXPECT_GT(Loudest(started, started + Seconds(0.5)), 500) << "the deferred tune did not start with the first frame";
  TQuilMidi::Shutdown();

  Platform::DeferMusic();
  TQuilMidi::Play("tune.mid", true, result);
  TQuilMidi::Stop();  // the title pressed before its first frame was out
  Platform::StartDeferredMusic();
  started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(1.0)));
  EXPECT_LT(Loudest(started, started + Seconds(1.0)), 50) << "a tune stopped before the first frame played";
  TQuilMidi::Shutdown();
}

TEST(QuilMidi, AMissingFileReportsTheLoadFailure) {
  std::string result;
  TQuilMidi::Play("dat\\no-such-tune.mid", true, result);
  EXPECT_EQ(result, "Midiのロードに失敗しました。");
}

TEST(QuilMidi, ACutTuneFailsItsLoadOnceAndTheOutputStaysSilent) {
  std::ifstream in(std::string(BuildPaths::SourceDir) + "/dat/farrow.mid", std::ios::binary);
  std::string tune((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(tune.size(), 100u);
  std::ofstream("cut.mid", std::ios::binary) << tune.substr(0, tune.size() / 2);
  std::string result;
  TQuilMidi::Play("cut.mid", true, result);
  EXPECT_EQ(result, "Midiのロードに失敗しました。");
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(1.0))) << "the sound output must go on";
  EXPECT_LT(Loudest(started, started + Seconds(1.0)), 50);
  TQuilMidi::Shutdown();
}

TEST(QuilMidi, WithoutASoundFontTheTuneFailsToLoad) {
  setenv("SDL_SOUNDFONTS", "/nonexistent/none.sf2", 1);  // this test's own process only
  WriteTune("tune.mid", 1);
  std::string result;
  TQuilMidi::Play("tune.mid", true, result);
  EXPECT_EQ(result, "Midiのロードに失敗しました。");
}
