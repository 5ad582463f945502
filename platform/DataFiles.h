// DataFiles -- where the game's data files ("dat\x") are, and why one could not be read.
// The game program names the data folder once at start (its installed data, or --data DIR);
// until then "dat\x" is dat/x below the working folder, which the tests, the replay harness and
// the tools rely on. Called by every unit that opens a file by the game's name.
#pragma once
#include <string>

namespace Platform {

// "dat\x" becomes FOLDER/x from now on. An empty folder restores dat/ below the working folder.
void SetDataFolder(const std::string& folder);
// The folder "dat\x" names are looked up in: the one set, else "dat".
std::string DataFolder();

// A file name as the game writes it turned into a native path: "dat\x" is x in DataFolder();
// in every name only single-byte backslashes become slashes.
std::string NativeFileName(const std::string& name);

// The installed data folder, found from the program's own location (so that a relocated or
// DESTDIR install works too; the build tree links it to the repository's dat/). Empty when
// that location cannot be read.
std::string InstalledDataFolder();

// Why the native file path cannot be read as a file ("No such file or directory",
// "Permission denied", "is a folder"); empty when it can be opened for reading.
std::string UnreadableReason(const std::string& path);

// A native (UTF-8) path as CP932 text for a message; kept as it is when CP932 cannot hold it.
std::string PathText(const std::string& path);

}  // namespace Platform
