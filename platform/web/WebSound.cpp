// WebSound -- the WAV player and the tune on Web Audio. A sound is the WAV file itself, decoded
// by the browser; the tune is the recording made of the MIDI file at build time, the file of the
// same name ending in ".ogg" beside it, looped as the MIDI player loops the tune. One channel
// for sounds (a new one cuts the last), one for the tune, each with its volume; a page may play
// only once the person has clicked or pressed a key in it, so the context starts then.
#include <emscripten.h>

#include <string>

#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/MidiFile.h"
#include "platform/Sound.h"
#include "platform/SoundLevels.h"

// clang-format off
// The page's audio: one context, a gain for sounds and one for the tune, what plays on each.
EM_JS(void, farrow_audio_start, (), {
  if (Module.farrowAudio) return;
  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  if (!AudioContextClass) return;
  const context = new AudioContextClass();
  const a = {context: context, sound: context.createGain(), music: context.createGain(), wave: null, tune: null,
             tuneToken: 0, waveToken: 0};
  a.sound.connect(context.destination);
  a.music.connect(context.destination);
  Module.farrowAudio = a;
  // The browser holds the context until the person's first gesture.
  const wake = () => { if (context.state == 'suspended' && !a.paused) context.resume(); };
  ['pointerdown', 'keydown', 'touchend'].forEach((type) => window.addEventListener(type, wake, true));
});

// Plays a file of the page's file system on a channel ("sound" or "music"); false when there is
// no such file. The decoding runs on; a stop or another play meanwhile cancels it.
EM_JS(int, farrow_audio_play, (const char* channelName, const char* pathName, int loop), {
  const a = Module.farrowAudio;
  if (!a) return 0;
  const channel = UTF8ToString(channelName), path = UTF8ToString(pathName);
  let bytes;
  try { bytes = FS.readFile(path); } catch (e) { return 0; }
  const tokenName = channel == 'music' ? 'tuneToken' : 'waveToken';
  const playing = channel == 'music' ? 'tune' : 'wave';
  const token = ++a[tokenName];
  if (a[playing]) { try { a[playing].stop(); } catch (e) {} a[playing] = null; }
  a.context.decodeAudioData(bytes.slice().buffer).then((buffer) => {
    if (a[tokenName] != token) return;
    const source = a.context.createBufferSource();
    source.buffer = buffer;
    source.loop = loop != 0;
    source.connect(a[channel]);
    source.start();
    a[playing] = source;
  }).catch(() => {});
  return 1;
});

// Stops a channel, fading over fadeMs (0: at once).
EM_JS(void, farrow_audio_stop, (const char* channelName, int fadeMs), {
  const a = Module.farrowAudio;
  if (!a) return;
  const channel = UTF8ToString(channelName);
  const playing = channel == 'music' ? 'tune' : 'wave';
  ++a[channel == 'music' ? 'tuneToken' : 'waveToken'];
  const source = a[playing];
  a[playing] = null;
  if (!source) return;
  try { source.stop(a.context.currentTime + fadeMs / 1000); } catch (e) {}
  if (fadeMs > 0 && channel == 'music') {
    // The fade on the tune's own gain, put back once the tune has stopped.
    const level = a.music.gain.value;
    a.music.gain.setValueAtTime(level, a.context.currentTime);
    a.music.gain.linearRampToValueAtTime(0, a.context.currentTime + fadeMs / 1000);
    source.onended = () => { a.music.gain.cancelScheduledValues(0); a.music.gain.value = a.farrowMusicLevel ?? level; };
  }
});

EM_JS(void, farrow_audio_levels, (double sound, double music), {
  const a = Module.farrowAudio;
  if (!a) return;
  a.sound.gain.value = sound;
  a.music.gain.cancelScheduledValues(0);
  a.music.gain.value = music;
  a.farrowMusicLevel = music;
});

EM_JS(void, farrow_audio_pause, (int on), {
  const a = Module.farrowAudio;
  if (!a) return;
  a.paused = on != 0;
  if (on) a.context.suspend(); else a.context.resume();
});
// clang-format on

namespace Platform {

namespace {

std::string tune;  // the recording of the tune loaded, empty when none
TDeferredMusic& deferred = DeferredMusic();

bool Start() {
  farrow_audio_start();
  ApplySoundLevels();
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadBoundedFile(path, WholeFileMax, bytes).Problem == TFileProblem::None;
}

// The recording made of a MIDI file: the same name ending in ".ogg".
std::string Recording(const std::string& midiPath) {
  const size_t dot = midiPath.rfind('.');
  const size_t slash = midiPath.rfind('/');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? midiPath.substr(0, dot) : midiPath) + ".ogg";
}

}  // namespace

int PlaySoundA(const char* fileName, void*, uint32_t flags) {
  if (fileName == nullptr || (flags & SND_PURGE) != 0) {
    farrow_audio_stop("sound", 0);
    return 1;
  }
  Start();
  return farrow_audio_play("sound", NativeFileName(fileName).c_str(), (flags & SND_LOOP) != 0 ? 1 : 0);
}

bool CanLoadWave(const std::string& fileName) {
  std::string bytes;
  return ReadWholeFile(NativeFileName(fileName), bytes) && bytes.size() > 12 && bytes.compare(0, 4, "RIFF") == 0 &&
         bytes.compare(8, 4, "WAVE") == 0;
}

int GGSSetDevice(int32_t, int32_t) { return 0; }

int GGSLoadFile(const char* fileName, int32_t) {
  GGSFree();
  if (fileName == nullptr) return 1;
  const std::string path = NativeFileName(fileName);
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || !IsWholeMidiFile(bytes)) return 5;
  if (deferred.Held) {
    deferred.Path = fileName;
    return 0;
  }
  Start();
  if (!IsPlainFile(Recording(path))) return 3;  // no recording: as no soundfont on the desktop
  tune = Recording(path);
  return 0;
}

int GGSPlay(int32_t option, int32_t, int32_t) {
  if (deferred.Held && !deferred.Path.empty()) {
    deferred.Option = option;
    return 0;
  }
  if (tune.empty()) return 1;
  return farrow_audio_play("music", tune.c_str(), (option & 1) != 0 ? 1 : 0) != 0 ? 0 : 2;
}

// The tune fades out rather than stopping dead, which sounds like a fault.
constexpr int kStopFadeMs = 250;

int GGSStop() {
  deferred.Option = -1;
  farrow_audio_stop("music", kStopFadeMs);
  return 0;
}

int GGSFree() {
  deferred.Path.clear();
  deferred.Option = -1;
  farrow_audio_stop("music", 0);
  tune.clear();
  return 0;
}

void ApplySoundLevels() {
  farrow_audio_levels(static_cast<double>(AudibleSoundLevel()) / VolumeLevels,
                      static_cast<double>(AudibleMusicLevel()) / VolumeLevels);
}

void HoldPlayback(bool on) { farrow_audio_pause(on ? 1 : 0); }

void CloseSound() {
  deferred = TDeferredMusic{};
  farrow_audio_stop("sound", 0);
  GGSFree();
}

}  // namespace Platform
