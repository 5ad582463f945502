// InstallTest -- the game as a player gets it: installed into a scratch root, it answers --help
// and --version, starts on its installed data from a folder holding an unrelated dat/, and names
// the path it tried when that data is gone. (The Debian packages are checked by
// scripts/package-check, which needs a whole dpkg-buildpackage run.)
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/BuildPaths.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string Build = BuildPaths::BuildDir;
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
      "share/applications/org.farrowmere.farrowmere.desktop",
      "share/metainfo/org.farrowmere.farrowmere.metainfo.xml",
      "share/man/man6/farrowmere.6.gz",
      "share/man/man1/farrow-story.1.gz",
  };
  for (int size : {16, 32, 48, 64, 128, 256}) {
    std::string n = std::to_string(size);
    files.insert(std::string("share/icons/hicolor/").append(n).append("x").append(n).append("/apps/farrowmere.png"));
  }
  for (const std::string& name : FilesBelow(fs::path(BuildPaths::SourceDir) / "dat"))
    files.insert(std::string(DataDir).append("/").append(name));
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
  TRun install =
      RunIn(dir.File(""), "DESTDIR='" + root.string() + "' '" FARROW_CMAKE "' --install '" + Build + "' --prefix /usr",
            dir.File(""));
  ASSERT_EQ(install.Status, 0) << install.Out << install.Err;
  const fs::path usr = root / "usr";
  EXPECT_EQ(FilesBelow(usr), ExpectedFiles()) << "installed:\n" << Listing(FilesBelow(usr));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    std::string n = std::to_string(size);
    EXPECT_EQ(
        PngSize(usr /
                std::string("share/icons/hicolor/").append(n).append("x").append(n).append("/apps/farrowmere.png")),
        std::make_pair(size, size));
  }
  if (HaveProgram("appstreamcli")) {
    TRun check = RunIn(dir.File(""),
                       "appstreamcli validate --no-net '" +
                           (usr / "share/metainfo/org.farrowmere.farrowmere.metainfo.xml").string() + "'",
                       dir.File(""));
    EXPECT_EQ(check.Status, 0) << check.Out << check.Err;
  }
  if (HaveProgram("desktop-file-validate")) {
    TRun check =
        RunIn(dir.File(""),
              "desktop-file-validate '" + (usr / "share/applications/org.farrowmere.farrowmere.desktop").string() + "'",
              dir.File(""));
    EXPECT_EQ(check.Status, 0) << check.Out << check.Err;
    EXPECT_EQ(check.Out, "");
  }

  const std::string game = (usr / GameDir / "farrowmere").string();
  TRun help = RunIn(dir.File(""), "'" + game + "' --help", dir.File(""));
  EXPECT_EQ(help.Status, 0) << help.Err;
  EXPECT_NE(help.Out.find("Data folder: " + (usr / DataDir).string() + "\n"), std::string::npos) << help.Out;
  TRun version = RunIn(dir.File(""), "'" + game + "' --version", dir.File(""));
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "farrowmere " FARROW_VERSION "\n");
  TRun wrong = RunIn(dir.File(""), "'" + game + "' --bogus", dir.File(""));
  EXPECT_EQ(wrong.Status, 2);
  EXPECT_EQ(wrong.Err.rfind("farrowmere: unknown option '--bogus'\nUsage: farrowmere", 0), 0u) << wrong.Err;

  // Started from a folder holding an unrelated (here empty) dat/, it runs on its installed data
  // until the signal to end, which it takes as the window being closed.
  fs::create_directories(dir.File("home/dat"));
  TRun played = RunIn(dir.File("home"), "timeout -s TERM -k 5 --preserve-status 4 '" + game + "'", dir.File(""));
  EXPECT_EQ(played.Status, 0) << played.Err;
  EXPECT_EQ(played.Err, "") << "the game found its data";

  fs::rename(usr / DataDir, usr / (DataDir + ".moved"));
  TRun lost = RunIn(dir.File("home"), "timeout 20 '" + game + "'", dir.File(""));
  EXPECT_EQ(lost.Status, 1) << lost.Err;
  EXPECT_NE(lost.Err.find((usr / DataDir / "a.bmp").string() + U8(" を開けません（No such file or directory）")),
            std::string::npos)
      << "names the path tried and why: " << lost.Err;
  EXPECT_EQ(lost.Err.find("home/dat"), std::string::npos) << lost.Err;
}
