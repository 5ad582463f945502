// QuilMidi -- the MIDI tune on the platform's MIDI player.
#include "media/QuilMidi.h"

#include "platform/Sound.h"

using namespace Platform;

namespace {
bool playing = false;
}  // namespace

void TQuilMidi::Play(const std::string& fileName, bool loop, std::string& result) {
  Stop();
  playing = true;  // asked for: a missing device or soundfont plays nothing but the game wants it
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

void TQuilMidi::Stop() {
  playing = false;
  GGSStop();
}

bool TQuilMidi::Playing() { return playing; }

void TQuilMidi::Startup() { GGSSetDevice(-1, 0); }

void TQuilMidi::Shutdown() {
  Stop();
  GGSFree();
}
