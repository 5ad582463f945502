// Sound -- WAV sounds on mixer channel 0 and MIDI through SDL_mixer's music stream.
#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <fluidsynth.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/MidiFile.h"
#include "platform/SoundLevels.h"
#include "platform/TextCodec.h"

namespace Platform {

namespace {

const char* const kDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

enum class TDevice { Closed, Open, Failed };
TDevice device = TDevice::Closed;
Mix_Chunk* wave = nullptr;
Mix_Music* music = nullptr;
TDeferredMusic& deferred = DeferredMusic();

// The libraries' own log lines go to standard error once each: a fault that repeats on every
// round of a loop (or every buffer of sound) must not fill the log. After kMaxLogLines distinct
// lines nothing more is printed. Called from the audio thread too.
constexpr size_t kMaxLogLines = 32;

void QuietLog(const char* source, const char* message) {
  static std::mutex lock;
  static std::set<std::string> seen;
  std::lock_guard<std::mutex> guard(lock);
  if (seen.size() >= kMaxLogLines) return;
  std::string line = std::string(source) + ": " + (message != nullptr ? message : "");
  if (!seen.insert(line).second) return;
  std::fprintf(stderr, "%s\n", line.c_str());
}

void FluidLog(int level, const char* message, void*) {
  if (level <= FLUID_WARN) QuietLog("fluidsynth", message);  // information and debugging: dropped
}

void SdlLog(void*, int, SDL_LogPriority priority, const char* message) {
  if (priority >= SDL_LOG_PRIORITY_WARN) QuietLog("SDL", message);
}

// ALSA prints its own errors (a machine without a sound card gets eight lines) unless told where.
void AlsaLog(const char*, int, const char*, int, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  QuietLog("ALSA", line);
}

void InstallQuietLogs() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, FluidLog, nullptr);
  }
  SDL_LogSetOutputFunction(SdlLog, nullptr);
  snd_lib_error_set_handler(AlsaLog);
}

// FluidSynth loads the soundfont's samples on OpenMP threads, which spin while they wait and
// on a busy machine take longer than one thread alone. The runtime read OMP_NUM_THREADS before
// the program started, so ask it directly when FluidSynth brought it in.
void OneLoaderThread() {
  using TSetThreads = void (*)(int);
  if (auto set = reinterpret_cast<TSetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"))) set(1);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadBoundedFile(path, WholeFileMax, bytes).Problem == TFileProblem::None;
}

// Opens the audio device once; a failure is remembered so that a machine without sound does
// not retry at every click.
bool OpenDevice() {
  if (device != TDevice::Closed) return device == TDevice::Open;
  device = TDevice::Failed;
  InstallQuietLogs();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  device = TDevice::Open;
  ApplySoundLevels();
  return true;
}

void StopWave() {
  if (device == TDevice::Open) Mix_HaltChannel(0);
  if (wave != nullptr) Mix_FreeChunk(wave);
  wave = nullptr;
}

void FreeMusic() {
  if (device == TDevice::Open) Mix_HaltMusic();
  if (music != nullptr) Mix_FreeMusic(music);
  music = nullptr;
}

bool AnyFileExists(const std::string& paths) {
  // SDL_mixer's list separators: ':' and ';'.
  size_t start = 0;
  while (start <= paths.size()) {
    size_t end = paths.find_first_of(":;", start);
    if (end == std::string::npos) end = paths.size();
    if (end > start && IsPlainFile(paths.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

// The soundfont for MIDI: SDL_SOUNDFONTS if set, else Debian's default GM font, into paths.
// It is handed to SDL_mixer explicitly (Debian's build would otherwise prefer its own default
// over the environment) and checked first, because without one FluidSynth "plays" in silence.
bool FindSoundFonts(std::string& paths) {
  const char* named = std::getenv("SDL_SOUNDFONTS");
  paths = named != nullptr && *named != '\0' ? named : kDefaultSoundFont;
  return AnyFileExists(paths);
}

}  // namespace

int PlaySoundA(const char* fileName, void*, uint32_t flags) {
  if (fileName == nullptr || (flags & SND_PURGE) != 0) {
    StopWave();
    return 1;
  }
  if (!OpenDevice()) return 0;
  StopWave();
  wave = Mix_LoadWAV(NativeFileName(fileName).c_str());
  if (wave == nullptr) return 0;
  return Mix_PlayChannel(0, wave, (flags & SND_LOOP) != 0 ? -1 : 0) == 0 ? 1 : 0;
}

bool CanLoadWave(const std::string& fileName) {
  if (!OpenDevice()) return false;
  Mix_Chunk* chunk = Mix_LoadWAV(NativeFileName(fileName).c_str());
  if (chunk == nullptr) return false;
  Mix_FreeChunk(chunk);
  return true;
}

int GGSSetDevice(int32_t, int32_t) { return 0; }  // the default output is the only one

int GGSLoadFile(const char* fileName, int32_t) {
  FreeMusic();
  deferred.Path.clear();
  deferred.Option = -1;
  if (fileName == nullptr) return 1;
  if (deferred.Held) {
    std::string bytes;
    if (!ReadWholeFile(NativeFileName(fileName), bytes) || !IsWholeMidiFile(bytes)) return 5;
    deferred.Path = fileName;
    return 0;
  }
  // Without a soundfont there is nothing to hear: no audio device is opened (and mixes silence
  // on a thread of its own) for the tune.
  std::string fonts;
  if (!FindSoundFonts(fonts)) return 3;
  if (!OpenDevice()) return 2;
  Mix_Init(MIX_INIT_MID);
  Mix_SetSoundFonts(fonts.c_str());
  // A damaged tune fails here, once: FluidSynth would fail it again at every round of a loop
  // without ever leaving the audio thread.
  const std::string path = NativeFileName(fileName);
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || !IsWholeMidiFile(bytes)) return 5;
  OneLoaderThread();
  music = Mix_LoadMUS(path.c_str());
  return music != nullptr ? 0 : 4;
}

int GGSPlay(int32_t option, int32_t, int32_t) {
  if (deferred.Held && !deferred.Path.empty()) {
    deferred.Option = option;
    return 0;
  }
  if (music == nullptr) return 1;
  int loops = (option & 1) != 0 ? -1 : 1;
  return Mix_PlayMusic(music, loops) == 0 ? 0 : 2;
}

// The tune fades out rather than stopping dead, which sounds like a fault. A load right after
// (the next Play) halts the fade at once, so a new tune never waits for it.
constexpr int kStopFadeMs = 250;

int GGSStop() {
  deferred.Option = -1;
  if (device == TDevice::Open) Mix_FadeOutMusic(kStopFadeMs);
  return 0;
}

int GGSFree() {
  deferred.Path.clear();
  deferred.Option = -1;
  FreeMusic();
  return 0;
}

void ApplySoundLevels() {
  if (device != TDevice::Open) return;
  Mix_Volume(-1, MIX_MAX_VOLUME * AudibleSoundLevel() / VolumeLevels);
  Mix_VolumeMusic(MIX_MAX_VOLUME * AudibleMusicLevel() / VolumeLevels);
}

void HoldPlayback(bool on) {
  if (device != TDevice::Open) return;
  // Held, the tune is not synthesized and the sound not mixed; both go on where they were.
  if (on) {
    Mix_Pause(-1);
    Mix_PauseMusic();
  } else {
    Mix_Resume(-1);
    Mix_ResumeMusic();
  }
}

void CloseSound() {
  deferred = TDeferredMusic{};
  StopWave();
  FreeMusic();
  if (device == TDevice::Open) {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  device = TDevice::Closed;
}

}  // namespace Platform
