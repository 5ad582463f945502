// Files -- the files on the disk that the game keeps and reads: where the player's folders are
// (data, config, pictures), the safe write, the one bounded reader, and the few questions the
// layers above ask of a path. Paths are native text (UTF-8). Called by player/ (saves, settings,
// read marks, screenshots), by the readers of the story and the data, and by the game's start.
#pragma once
#include <cstdint>
#include <string>

namespace Platform {

// The player's base folders: the XDG variable when it names an absolute folder, else its default
// below HOME (~/.local/share, ~/.config); "" when neither is set.
std::string DataHome();
std::string ConfigHome();
// The desktop's pictures folder: the desktop's own answer, else XDG_PICTURES_DIR, else
// ~/Pictures (./Pictures without HOME).
std::string PicturesFolder();

// folder/name, as a path joins them; the folder a path lies in; a path's last part.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string ParentFolder(const std::string& path);
std::string LastPart(const std::string& path);
// The path made absolute from the working folder and written without "." and ".." parts.
std::string AbsolutePath(const std::string& path);

bool PathExists(const std::string& path);
bool IsPlainFile(const std::string& path);  // a link to one counts
bool IsFolder(const std::string& path);
// Makes the folder and those above it; "" when it is there, else why (English).
std::string MakeFolders(const std::string& folder);

// Writes bytes to path through a temporary file beside it (NAME.tmp-N), flushed to the disk and
// renamed over the old file, making the folder first; "" when done, else why (English). A
// failure leaves the old file whole and no temporary file behind. In a page "done" also means
// written back to the browser's storage.
std::string WriteFileSafely(const std::string& path, const std::string& bytes);
// Removes from the folder the temporary files WriteFileSafely left when a game was killed while
// writing: last written before this run of the game began, by a game that is no longer running.
// Nothing else is touched. How many were removed.
int RemoveStaleTemporaries(const std::string& folder);

// Hands a file the player asked for (a screenshot) to the player; answers where the player finds
// it. The desktop leaves it where it was written (its path); a page offers it as a download and
// answers the download's name.
std::string OfferFile(const std::string& path);

// What the bounded reader found.
enum class TFileProblem {
  None,
  Missing,     // there is no such file
  NotPlain,    // a folder, a device, a pipe (or a link, when links are refused)
  TooLarge,    // more than the limit
  Unreadable,  // it cannot be opened or read
};
struct TFileRead {
  TFileProblem Problem = TFileProblem::None;
  std::string Why;  // English: the system's reason, "not a plain file", "larger than N bytes"
};
enum class TLinks { Refuse, Follow };
// Reads a plain file of at most maxBytes into bytes. A file larger than that is refused without
// reading more than one byte past the limit; a pipe or a device is refused without waiting.
TFileRead ReadBoundedFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes,
                          TLinks links = TLinks::Follow);
// The bound for a story, a script or a data file read whole: far more than the game can hold.
inline constexpr std::uintmax_t WholeFileMax = std::uintmax_t{64} << 20U;

// A file's size and time of its last change, to notice that it was saved; false when it cannot
// be asked.
struct TFileStamp {
  std::uintmax_t Size = 0;
  std::int64_t Changed = 0;  // ticks of the file system's clock
  bool operator==(const TFileStamp&) const = default;
};
bool FileStamp(const std::string& path, TFileStamp& stamp);

}  // namespace Platform
