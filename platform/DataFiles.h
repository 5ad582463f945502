// DataFiles -- where the game's data files ("dat\x") are: the working folder's dat/ when it
// has one, else the data folder installed with the program.
// Called by every unit that opens a file by the game's name (pictures, sounds, the scenario).
#pragma once
#include <string>

namespace Platform {

// A file name as the game writes it turned into a native path. "dat\x" is dat/x below the
// working folder when that folder has dat/, else x in the installed data folder when that
// exists; otherwise, and for every other name, only single-byte backslashes become slashes.
std::string NativeFileName(const std::string& name);

// The installed data folder, found from the program's own location (so that a relocated or
// DESTDIR install works too). Empty when that location cannot be read.
std::string InstalledDataFolder();

// For an error about the data file name: when neither the working folder's dat/ nor the
// installed data folder exists, a sentence (CP932) naming both places; empty otherwise and for
// names outside "dat\".
std::string MissingDataFolderText(const std::string& name);

}  // namespace Platform
