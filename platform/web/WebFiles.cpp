// WebFiles -- the player's files in the browser's own storage. The page's file system lives in
// memory; the player's folders (data and config) are mounted from IndexedDB (emscripten's IDBFS),
// filled from it before the game reads them and written back after every safe write, so saves,
// settings and read marks outlast a reload and a browser restart. A picture the player takes
// becomes a download.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "platform/Files.h"
#include "platform/FilesKept.h"
#include "platform/web/WebInternal.h"

// clang-format off
// Mounts the data and the config folder ("" for none) and fills them from the browser's storage;
// 1 when done, else 0 and why. Module.farrowKeep writes them back: what this page has is put there, and what is
// there but not here (a save another page of the game made since this one loaded) stays.
EM_ASYNC_JS(int, farrow_files_load, (const char* dataUtf8, const char* configUtf8, char* why, int whySize), {
  const describe = (e) => String((e && (e.message || e.name)) || e);
  const mounts = [];
  try {
    [['data', UTF8ToString(dataUtf8)], ['config', UTF8ToString(configUtf8)]].forEach(([name, folder]) => {
      if (!folder) return;
      FS.mkdirTree(folder);
      mounts.push({name: name, folder: folder, mount: FS.mount(IDBFS, {}, folder).mount});
    });
  } catch (e) {
    stringToUTF8(describe(e), why, whySize);
    return 0;
  }
  const keepOne = (mount) => new Promise((resolve) => {
    IDBFS.getLocalSet(mount, (localError, local) => {
      if (localError) return resolve(localError);
      IDBFS.getRemoteSet(mount, (remoteError, remote) => {
        if (remoteError) return resolve(remoteError);
        Object.keys(remote.entries).forEach((key) => { if (!local.entries[key]) delete remote.entries[key]; });
        IDBFS.reconcile(local, remote, (error) => resolve(error));
      });
    });
  });
  Module.farrowKept = mounts;
  Module.farrowKeep = async () => {
    for (const m of mounts) {
      const error = await keepOne(m.mount);
      if (error) return describe(error);
    }
    return null;
  };
  const error = await new Promise((resolve) => FS.syncfs(true, resolve));
  if (!error) return 1;
  // Never write back over what could not be read.
  Module.farrowKeep = async () => 'it could not be read when the page opened';
  stringToUTF8(describe(error), why, whySize);
  return 0;
});

// Whether anything is mounted to keep: asked first, without waiting, because a wait is possible
// only inside the frame loop's calls, not in a program's last steps (the replay harness's exit).
EM_JS(int, farrow_files_mounted, (), { return Module.farrowKeep ? 1 : 0; });

EM_ASYNC_JS(int, farrow_files_keep, (char* why, int whySize), {
  if (!Module.farrowKeep) return 1;
  const error = await Module.farrowKeep();
  if (!error) return 1;
  stringToUTF8(error, why, whySize);
  return 0;
});

// Offers a file of the page's file system as a download named name; 0 when it cannot be read.
EM_JS(int, farrow_offer_file, (const char* pathUtf8, const char* nameUtf8), {
  let bytes;
  try { bytes = FS.readFile(UTF8ToString(pathUtf8)); } catch (e) { return 0; }
  const url = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  const link = document.createElement('a');
  link.href = url;
  link.download = UTF8ToString(nameUtf8);
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
  return 1;
});
// clang-format on

namespace Platform {

namespace {

bool InsideOf(const std::string& path, const std::string& folder) {
  return path == folder || path.rfind(folder + "/", 0) == 0;
}

}  // namespace

void LoadKeptFiles() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  // A folder inside the other is kept with it.
  std::string data = DataHome(), config = ConfigHome();
  if (!data.empty() && !config.empty() && InsideOf(config, data)) config.clear();
  if (!data.empty() && !config.empty() && InsideOf(data, config)) data.clear();
  char why[256] = {};
  if (farrow_files_load(data.c_str(), config.c_str(), why, sizeof why) == 0) {
    std::fprintf(stderr, "farrowmere: the browser's storage cannot be read (%s): nothing is saved in this page\n", why);
  }
}

std::string KeepWrittenFiles() {
  char why[256] = {};
  if (farrow_files_mounted() == 0 || farrow_files_keep(why, sizeof why) != 0) return "";
  return std::string("cannot write to the browser's storage: ") + why;
}

std::string OfferFile(const std::string& path) {
  const std::string name = LastPart(path);
  if (farrow_offer_file(path.c_str(), name.c_str()) == 0) return path;
  std::remove(path.c_str());  // the browser holds it now; the page's memory need not
  return name;
}

}  // namespace Platform
