// QuilMidi -- the MIDI tune on the platform's MIDI player.
#include "media/QuilMidi.h"

#include "platform/Sound.h"

using namespace Platform;

void TQuilMidi::Play(const std::string& fileName, bool loop, std::string& result) {
  Stop();
  if (GGSLoadFile(fileName.c_str(), 1) != 0) {
    result = "Midiのロードに失敗しました。";
    return;
  }
  if (GGSPlay(loop ? 7 : 6, 0, 0) != 0) {
    result = "Midiの演奏に失敗しました。";
    return;
  }
  result = "問題なし";
}

void TQuilMidi::Stop() { GGSStop(); }

void TQuilMidi::Startup() { GGSSetDevice(-1, 0); }

void TQuilMidi::Shutdown() {
  Stop();
  GGSFree();
}
