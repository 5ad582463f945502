// DataFilesTest -- the game's "dat\x" names: dat/ below the working folder until the program
// names its data folder, only single-byte backslashes as separators, and errors that give the
// path really tried and why it failed.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "platform/DataFiles.h"
#include "platform/Graphics.h"
#include "tests/TestSupport.h"

using namespace Platform;
namespace fs = std::filesystem;

namespace {

// Runs the test inside a scratch folder, with or without dat/.
class InFolder {
 public:
  explicit InFolder(bool withData) {
    if (withData) fs::create_directories(dir_.File("dat"));
    fs::current_path(dir_.File(""));
  }
  ~InFolder() { fs::current_path(old_); }
  const ScratchDir& Dir() const { return dir_; }

 private:
  fs::path old_ = fs::current_path();
  ScratchDir dir_;
};

// The message of loading a picture that is not there.
std::string OpenError(const std::string& name) {
  TBitmap bmp;
  try {
    bmp.LoadFromFile(name);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(no error)";
}

}  // namespace

TEST(DataFiles, TheWorkingFoldersDatIsUsedUntilTheProgramNamesItsDataFolder) {
  InFolder folder(true);
  EXPECT_EQ(NativeFileName("dat\\a.bmp"), "dat/a.bmp");
  // 表 is 0x95 0x5C in CP932: its second byte is not a separator.
  EXPECT_EQ(NativeFileName("dat\\表\\b.wav"), "dat/表/b.wav");
  EXPECT_EQ(NativeFileName("story\\x.txt"), "story/x.txt") << "names outside dat\\ only change their separators";
  EXPECT_EQ(U8(OpenError("dat\\a.bmp")), U8("ファイル dat/a.bmp を開けません（No such file or directory）。"));

  SetDataFolder(folder.Dir().File("elsewhere"));
  EXPECT_EQ(NativeFileName("dat\\表\\b.wav"), folder.Dir().File("elsewhere/表/b.wav"));
  EXPECT_EQ(NativeFileName("story\\x.txt"), "story/x.txt");
  EXPECT_EQ(U8(OpenError("dat\\a.bmp")),
            U8("ファイル " + folder.Dir().File("elsewhere/a.bmp") + " を開けません（No such file or directory）。"))
      << "the error names the path really tried";
  SetDataFolder("");
  EXPECT_EQ(NativeFileName("dat\\a.bmp"), "dat/a.bmp");
}

TEST(DataFiles, TheReasonAFileCannotBeRead) {
  InFolder folder(true);
  folder.Dir().Write("dat/ok.txt", "x");
  EXPECT_EQ(UnreadableReason("dat/ok.txt"), "");
  EXPECT_EQ(UnreadableReason("dat"), "is a folder");
  EXPECT_EQ(UnreadableReason("dat/none.txt"), "No such file or directory");
  EXPECT_EQ(UnreadableReason("dat/ok.txt/x"), "Not a directory");
}
