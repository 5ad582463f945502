// Sound -- stand-ins for the system's WAV player and the outside MIDI library, on SDL_mixer.
// Called by media/QuilWave and media/QuilMidi only (and CloseSound by the program's end).
// A page plays them on Web Audio, the tune as a recording of it made at build time.
// The audio device opens at the first sound; without one (or without a soundfont for MIDI)
// everything stays silent and the program goes on.
#pragma once
#include <cstdint>
#include <string>

namespace Platform {

// Flags of PlaySoundA.
constexpr uint32_t SND_ASYNC = 0x0001;
constexpr uint32_t SND_NODEFAULT = 0x0002;
constexpr uint32_t SND_LOOP = 0x0008;
constexpr uint32_t SND_PURGE = 0x0040;
constexpr uint32_t SND_FILENAME = 0x20000;

// Plays a WAV file ("dat\x.wav") on the one sound channel and returns at once (always
// asynchronous); a new sound cuts the one playing. A missing or unreadable file plays nothing.
// With no name (nullptr) or SND_PURGE, stops all sound. Answers 1 when the sound started, else 0.
int PlaySoundA(const char* fileName, void* module, uint32_t flags);

// The MIDI player, on SDL_mixer's FluidSynth decoder with the soundfont that SDL_SOUNDFONTS
// names, else /usr/share/sounds/sf2/default-GM.sf2.
// GGSLoadFile and GGSPlay answer 0 on success, non-zero on failure (no device, no soundfont,
// no such file or not a whole MIDI file, nothing loaded). The libraries' log lines reach
// standard error once each. GGSPlay: option 7 loops, 6 plays once (bit 0 = loop).
// GGSStop fades the tune out over a quarter of a second; GGSLoadFile and GGSFree halt at once.
// The other three always answer 0.
int GGSSetDevice(int32_t device, int32_t flags);
int GGSLoadFile(const char* fileName, int32_t flags);
int GGSPlay(int32_t option, int32_t a, int32_t b);
int GGSStop();
int GGSFree();

// Silences every sound and the tune, playing or still to come, or gives them their volume
// back; nothing else changes (what plays goes on playing, unheard).
void MuteSound(bool muted);
bool SoundMuted();
// The tune's and the sounds' volumes, 0 (silent) .. VolumeLevels (full, the start), kept
// through a mute.
inline constexpr int VolumeLevels = 10;
void SetVolumes(int musicVolume, int soundVolume);
int MusicVolume();
int SoundVolume();
// Holds the sound and the tune playing now (while the window is hidden) and lets them go on
// where they were.
void PauseSound(bool paused);
// Start-up: after DeferMusic, GGSLoadFile and GGSPlay only check the file and note the tune
// (answering as they would when all goes well); StartDeferredMusic, called once the window
// shows its first frame, opens the device, loads the soundfont and plays what was noted.
// Without DeferMusic first, StartDeferredMusic does nothing.
void DeferMusic();
void StartDeferredMusic();

// True when the file decodes as a sound the WAV player can play (tests check the game's data).
bool CanLoadWave(const std::string& fileName);
// Stops everything and closes the audio device; the next sound opens it again.
void CloseSound();

}  // namespace Platform
