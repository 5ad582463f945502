// Sound -- stand-ins for the system's WAV player and the outside MIDI library.
// Called by media/QuilWave and media/QuilMidi only.
#pragma once
#include <cstdint>

namespace Platform {

// Flags of PlaySoundA.
constexpr uint32_t SND_ASYNC = 0x0001;
constexpr uint32_t SND_NODEFAULT = 0x0002;
constexpr uint32_t SND_LOOP = 0x0008;
constexpr uint32_t SND_PURGE = 0x0040;
constexpr uint32_t SND_FILENAME = 0x20000;

// Plays a WAV file asynchronously on the one sound channel; a new sound cuts the one playing.
// A missing or unreadable file plays nothing. With no name (nullptr), stops all sound.
int PlaySoundA(const char* fileName, void* module, uint32_t flags);

// The MIDI player. GGSLoadFile and GGSPlay answer 0 on success; option 7 loops, 6 plays once.
int GGSSetDevice(int32_t device, int32_t flags);
int GGSLoadFile(const char* fileName, int32_t flags);
int GGSPlay(int32_t option, int32_t a, int32_t b);
int GGSStop();
int GGSFree();

}  // namespace Platform
