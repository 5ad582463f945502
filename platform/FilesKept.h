// FilesKept -- what makes a written file last beyond the run. On the desktop the safe write's
// flush does; a page's files live in memory, and the folders the player keeps are copied to the
// browser's own storage (platform/web/WebFiles). Called by platform/Files after a safe write.
#pragma once
#include <string>

namespace Platform {

// After a file of the player's folders was written: "" when it is kept, else why
// (English, one line).
std::string KeepWrittenFiles();

}  // namespace Platform
