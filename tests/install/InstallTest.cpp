// InstallTest -- the game as a player gets it: installed into a scratch root, it starts from
// another folder with its installed data (and says where it looked when that is gone); the
// Debian package holds exactly the installed files and names what the game needs at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string Build = FARROW_BUILD_DIR;
const std::string GameDir = FARROW_INSTALL_GAMEDIR;
const std::string DataDir = FARROW_INSTALL_DATADIR;

bool HaveProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Every file (not folder) below root, as paths relative to it.
std::set<std::string> FilesBelow(const fs::path& root) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) files.insert(fs::relative(entry.path(), root).string());
  }
  return files;
}

// What an install below the prefix holds: the programs, every file of dat/, the menu entry and
// icons, the metainfo and the man pages.
std::set<std::string> ExpectedFiles() {
  std::set<std::string> files = {
      GameDir + "/farrowmere",
      "bin/farrow-story",
      "share/applications/org.farrowmere.Farrowmere.desktop",
      "share/metainfo/org.farrowmere.Farrowmere.metainfo.xml",
      "share/man/man6/farrowmere.6.gz",
      "share/man/man1/farrow-story.1.gz",
  };
  for (int size : {32, 64, 128, 256}) {
    std::string n = std::to_string(size);
    files.insert("share/icons/hicolor/" + n + "x" + n + "/apps/farrowmere.png");
  }
  for (const std::string& name : FilesBelow(fs::path(FARROW_SOURCE_DIR) / "dat")) files.insert(DataDir + "/" + name);
  return files;
}

std::string Listing(const std::set<std::string>& files) {
  std::string text;
  for (const std::string& f : files) text += "  " + f + "\n";
  return text;
}

// The width and height a PNG file's header gives (0 x 0 when it is not a PNG).
std::pair<int, int> PngSize(const fs::path& file) {
  std::string bytes = ReadAll(file);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto word = [&](size_t at) {
    int v = 0;
    for (size_t i = at; i < at + 4; ++i) v = v * 256 + static_cast<unsigned char>(bytes[i]);
    return v;
  };
  return {word(16), word(20)};
}

}  // namespace

TEST(Install, IntoAScratchRootTheGameStartsFromAnotherFolderAndSaysWhereItLookedWithoutData) {
  ScratchDir dir;
  const fs::path root = dir.File("root");
  TRun install = RunIn(dir.File(""), "DESTDIR='" + root.string() + "' '" FARROW_CMAKE "' --install '" + Build +
                                         "' --prefix /usr", dir.File(""));
  ASSERT_EQ(install.Status, 0) << install.Out << install.Err;
  const fs::path usr = root / "usr";
  EXPECT_EQ(FilesBelow(usr), ExpectedFiles()) << "installed:\n" << Listing(FilesBelow(usr));
  for (int size : {32, 64, 128, 256}) {
    std::string n = std::to_string(size);
    EXPECT_EQ(PngSize(usr / ("share/icons/hicolor/" + n + "x" + n + "/apps/farrowmere.png")), std::make_pair(size, size));
  }
  if (HaveProgram("appstreamcli")) {
    TRun check = RunIn(dir.File(""), "appstreamcli validate --no-net '" + (usr / "share/metainfo/org.farrowmere.Farrowmere.metainfo.xml").string() + "'", dir.File(""));
    EXPECT_EQ(check.Status, 0) << check.Out << check.Err;
  }
  if (HaveProgram("desktop-file-validate")) {
    TRun check = RunIn(dir.File(""), "desktop-file-validate '" + (usr / "share/applications/org.farrowmere.Farrowmere.desktop").string() + "'", dir.File(""));
    EXPECT_EQ(check.Status, 0) << check.Out << check.Err;
    EXPECT_EQ(check.Out, "");
  }

  // Started from a folder without dat/, it runs on its installed data until the signal to end,
  // which it takes as the window being closed.
  fs::create_directories(dir.File("elsewhere"));
  const std::string game = (usr / GameDir / "farrowmere").string();
  TRun played = RunIn(dir.File("elsewhere"), "timeout -s TERM -k 5 --preserve-status 4 '" + game + "'", dir.File(""));
  EXPECT_EQ(played.Status, 0) << played.Err;
  EXPECT_EQ(played.Err, "") << "the game found its data";

  // A working folder with a dat/ of its own comes first, even with nothing in it.
  fs::create_directories(dir.File("own/dat"));
  TRun own = RunIn(dir.File("own"), "timeout 20 '" + game + "'", dir.File(""));
  EXPECT_EQ(own.Status, 1) << own.Err;
  EXPECT_NE(own.Err.find("dat\\a.bmp"), std::string::npos) << "the working folder's empty dat/ was not used: " << own.Err;
  EXPECT_EQ(own.Err.find((usr / DataDir).string()), std::string::npos) << own.Err;

  fs::rename(usr / DataDir, usr / (DataDir + ".moved"));
  TRun lost = RunIn(dir.File("elsewhere"), "timeout 20 '" + game + "'", dir.File(""));
  EXPECT_EQ(lost.Status, 1) << lost.Err;
  EXPECT_NE(lost.Err.find("dat\\a.bmp"), std::string::npos) << "names the file: " << lost.Err;
  EXPECT_NE(lost.Err.find(dir.File("elsewhere/dat")), std::string::npos) << "names the working folder's dat/: " << lost.Err;
  EXPECT_NE(lost.Err.find((usr / DataDir).string()), std::string::npos) << "names the installed data folder: " << lost.Err;
  EXPECT_EQ(std::count(lost.Err.begin(), lost.Err.end(), '\n'), 1) << "one message: " << lost.Err;
}

TEST(Package, TheDebHoldsTheInstalledFilesAndNamesWhatTheGameNeeds) {
  ScratchDir dir;
  TRun packed = RunIn(dir.File(""), "'" FARROW_CPACK "' --config '" + Build + "/CPackConfig.cmake' -G DEB -B '" +
                                        dir.File("") + "'", dir.File(""));
  ASSERT_EQ(packed.Status, 0) << packed.Out << packed.Err;
  TRun arch = RunIn(dir.File(""), "dpkg --print-architecture", dir.File(""));
  ASSERT_EQ(arch.Status, 0);
  arch.Out.erase(arch.Out.find_last_not_of('\n') + 1);
  const std::string deb = dir.File("farrowmere_" FARROW_VERSION "_" + arch.Out + ".deb");
  ASSERT_TRUE(fs::exists(deb)) << "no " << deb;

  TRun fields = RunIn(dir.File(""), "dpkg-deb -f '" + deb + "' Package Version Architecture Section", dir.File(""));
  EXPECT_EQ(fields.Out, "Package: farrowmere\nVersion: " FARROW_VERSION "\nArchitecture: " + arch.Out + "\nSection: games\n");
  TRun depends = RunIn(dir.File(""), "dpkg-deb -f '" + deb + "' Depends", dir.File(""));
  // libpng is not among them: the installed programs write no PNG files.
  for (const char* need : {"libsdl2-2.0-0", "libsdl2-ttf-2.0-0", "libsdl2-mixer-2.0-0", "libjpeg62-turbo",
                           "libfontconfig1", "fonts-ipafont-gothic", "fonts-ipafont-mincho",
                           "timgm6mb-soundfont | fluid-soundfont-gm"}) {
    EXPECT_NE(depends.Out.find(need), std::string::npos) << "Depends lacks " << need << ": " << depends.Out;
  }

  // The file list ("-rwxr-xr-x root/root 123 2026-12-09 05:00 ./usr/games/farrowmere").
  TRun contents = RunIn(dir.File(""), "dpkg-deb -c '" + deb + "'", dir.File(""));
  ASSERT_EQ(contents.Status, 0) << contents.Err;
  std::set<std::string> files;
  std::istringstream lines(contents.Out);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == 'd') continue;
    std::string path = line.substr(line.find("./"));
    EXPECT_EQ(path.rfind("./usr/", 0), 0u) << "outside /usr: " << line;
    if (path.rfind("./usr/", 0) == 0) files.insert(path.substr(6));
    if (path == "./usr/" + GameDir + "/farrowmere") {
      EXPECT_EQ(line.rfind("-rwxr-xr-x root/root", 0), 0u) << "the game must be executable by all: " << line;
    }
  }
  EXPECT_EQ(files, ExpectedFiles()) << "packaged:\n" << Listing(files);
}
