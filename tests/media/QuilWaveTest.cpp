// WAV sound effects, heard through the disk audio driver.
#include <gtest/gtest.h>

#include "SoundOutput.h"
#include "media/QuilWave.h"
#include "platform/Sound.h"

using namespace SoundOutput;

namespace {
const int kSilence = 50;  // a tone here is 12000 loud
}

TEST(QuilWave, ASecondSoundCutsTheFirst) {
  WriteTone("long.wav", 440, 3.0);
  WriteTone("short.wav", 1000, 0.2);
  TQuilWave::Startup();
  TQuilWave::Play("long.wav", false);
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(0.5)));
  EXPECT_GT(Loudest(started + Seconds(0.2), Written()), 5000) << "the first sound did not play";
  TQuilWave::Play("short.wav", false);
  size_t cut = Written();
  ASSERT_TRUE(WaitForOutput(cut + Seconds(1.5)));
  EXPECT_GT(Loudest(cut, cut + Seconds(0.3)), 5000) << "the second sound did not play";
  EXPECT_LT(Loudest(cut + Seconds(0.6), cut + Seconds(1.5)), kSilence)
      << "the first sound went on after the second: one channel must cut it off";
  TQuilWave::Shutdown();
}

TEST(QuilWave, StopAllSilencesAndAMissingFilePlaysNothing) {
  WriteTone("long.wav", 440, 3.0);
  TQuilWave::Play("long.wav", false);
  ASSERT_TRUE(WaitForOutput(Written() + Seconds(0.3)));
  TQuilWave::StopAll();
  size_t stopped = Written();
  TQuilWave::Play("dat\\no-such-sound.wav", false);
  ASSERT_TRUE(WaitForOutput(stopped + Seconds(1.0)));
  EXPECT_LT(Loudest(stopped + Seconds(0.2), stopped + Seconds(1.0)), kSilence);
  EXPECT_EQ(Platform::PlaySoundA("dat\\no-such-sound.wav", nullptr, 0x20003), 0);
}

TEST(QuilWave, LoopingKeepsTheSoundGoing) {
  WriteTone("short.wav", 1000, 0.2);
  TQuilWave::Play("short.wav", true);
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(1.2)));
  EXPECT_GT(Loudest(started + Seconds(0.8), started + Seconds(1.2)), 5000);
  TQuilWave::StopAll();
}

TEST(QuilWave, MutingSilencesSoundsPlayingAndToComeAndUnmutingBringsThemBack) {
  WriteTone("short.wav", 1000, 0.2);
  Platform::MuteSound(true);  // before the device opens: the first sound is muted too
  TQuilWave::Play("short.wav", true);
  size_t started = Written();
  ASSERT_TRUE(WaitForOutput(started + Seconds(1.0)));
  EXPECT_LT(Loudest(started + Seconds(0.2), started + Seconds(1.0)), kSilence) << "muted, yet heard";
  Platform::MuteSound(false);
  size_t unmuted = Written();
  ASSERT_TRUE(WaitForOutput(unmuted + Seconds(1.0)));
  EXPECT_GT(Loudest(unmuted + Seconds(0.5), unmuted + Seconds(1.0)), 5000) << "the looping sound went on, unheard";
  Platform::MuteSound(true);
  size_t muted = Written();
  ASSERT_TRUE(WaitForOutput(muted + Seconds(1.0)));
  EXPECT_LT(Loudest(muted + Seconds(0.5), muted + Seconds(1.0)), kSilence) << "muting must reach the sound playing";
  Platform::MuteSound(false);
  TQuilWave::StopAll();
}
