// QuilMidi -- the MIDI tune, played through the platform's MIDI player.
#pragma once
#include <string>

class TQuilMidi {
 public:
  TQuilMidi() = delete;
  // Stops the music, then loads and starts the file. result: "問題なし",
  // "Midiのロードに失敗しました。" or "Midiの演奏に失敗しました。".
  static void Play(const std::string& fileName, bool loop, std::string& result);
  static void Stop();
  // The game asked for a tune and has not stopped it since (whether or not a device plays it).
  static bool Playing();

  // The unit's start (select the output device) and end (stop, release the player).
  static void Startup();
  static void Shutdown();
};
