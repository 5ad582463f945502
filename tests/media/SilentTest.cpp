// No sound device at all: sounds are silent, the tune reports its failure, nothing breaks.
#include <gtest/gtest.h>

#include "media/QuilMidi.h"
#include "media/QuilWave.h"
#include "platform/Sound.h"

TEST(NoSoundDevice, EverythingStaysSilentAndTheTuneSaysSo) {
  TQuilWave::Startup();
  TQuilMidi::Startup();
  TQuilWave::Play("dat\\dun.wav", false);
  EXPECT_EQ(Platform::PlaySoundA("dat\\dun.wav", nullptr, 0x20003), 0);
  std::string result;
  TQuilMidi::Play("dat\\farrow.mid", true, result);
  EXPECT_EQ(result, "Midiのロードに失敗しました。");
  EXPECT_NE(Platform::GGSPlay(7, 0, 0), 0) << "playing with nothing loaded must report failure";
  TQuilMidi::Shutdown();
  TQuilWave::Shutdown();
}
