// QuilWave -- WAV sound effects on the platform's PlaySoundA.
#include "media/QuilWave.h"

#include "platform/Sound.h"

using namespace Platform;

void TQuilWave::Play(const std::string& fileName, bool loop) {
  uint32_t flags = SND_FILENAME | SND_NODEFAULT | SND_ASYNC;  // 0x20003
  if (loop) flags |= SND_LOOP;                                // 0x2000B
  PlaySoundA(fileName.c_str(), nullptr, flags);
}

void TQuilWave::StopAll() { PlaySoundA(nullptr, nullptr, SND_PURGE | SND_NODEFAULT | SND_ASYNC); }

void TQuilWave::Startup() { StopAll(); }

void TQuilWave::Shutdown() { StopAll(); }
