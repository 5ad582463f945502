// QuilWave -- WAV sound effects: one asynchronous channel, a new sound cuts the one playing.
#pragma once
#include <string>

class TQuilWave {
 public:
  TQuilWave() = delete;
  // Starts the file ("dat\x.wav") and returns at once; a missing file plays nothing.
  static void Play(const std::string& fileName, bool loop);
  // Stops whatever sound is playing.
  static void StopAll();

  // The unit's start and end: both stop all sound.
  static void Startup();
  static void Shutdown();
};
