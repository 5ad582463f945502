// Test helpers: sound files written on the spot, and the disk audio driver's output
// (signed 16-bit stereo at 44100 Hz) read back.
#pragma once
#include <cstdint>
#include <string>

namespace SoundOutput {

constexpr int kBytesPerSecond = 44100 * 2 * 2;

// A mono 16-bit WAV file with a square wave of the given pitch and length.
void WriteTone(const std::string& path, int hz, double seconds);
// A one-track MIDI file: one organ note held for the given number of quarter notes at 120 bpm.
void WriteTune(const std::string& path, int quarters);

// Bytes the disk driver has written so far.
size_t Written();
// Waits until the driver has written at least `bytes` (fails the test after a generous time).
bool WaitForOutput(size_t bytes);
// The loudest sample between two byte offsets of the output.
int Loudest(size_t from, size_t to);
inline size_t Seconds(double s) { return static_cast<size_t>(s * kBytesPerSecond) & ~size_t{3}; }

}  // namespace SoundOutput
