// MidiFile -- checks that a standard MIDI file is whole before the player gets it: a damaged
// tune then fails its load once instead of failing again at every round of a loop.
#pragma once
#include <string>

namespace Platform {

// True when bytes hold a complete standard MIDI file with ticks-per-quarter timing: the
// "MThd" header, every announced "MTrk" chunk inside the file, and every event of every
// track (delta times, running status, data bytes, meta and system-exclusive lengths) inside
// its chunk. Other chunks are skipped.
bool IsWholeMidiFile(const std::string& bytes);

}  // namespace Platform
