// DataFilesTest -- the game's "dat\x" names: the working folder's dat/ first, only single-byte
// backslashes as separators, and a picture missing for want of any data folder named with the
// places the game looked in.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "tests/TestSupport.h"
#include "platform/DataFiles.h"
#include "platform/Graphics.h"

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

TEST(DataFiles, TheWorkingFoldersDatIsUsedAndOnlySingleByteBackslashesSeparate) {
  InFolder folder(true);
  EXPECT_EQ(NativeFileName("dat\\a.bmp"), "dat/a.bmp");
  // 表 is 0x95 0x5C in CP932: its second byte is not a separator.
  EXPECT_EQ(NativeFileName("dat\\表\\b.wav"), "dat/表/b.wav");
  EXPECT_EQ(NativeFileName("story\\x.txt"), "story/x.txt") << "names outside dat\\ only change their separators";
  EXPECT_EQ(U8(OpenError("dat\\a.bmp")), U8("ファイル dat\\a.bmp を開けません。"))
      << "with a data folder, a missing picture is the plain error";
}

TEST(DataFiles, WithoutAnyDataFolderTheErrorNamesWhereTheGameLooked) {
  InFolder folder(false);
  const std::string installed = InstalledDataFolder();
  ASSERT_FALSE(installed.empty()) << "the program's own location must be readable";
  ASSERT_FALSE(fs::exists(installed)) << "the test needs no data folder beside its program: " << installed;
  EXPECT_EQ(NativeFileName("dat\\a.bmp"), "dat/a.bmp") << "with nowhere better, the name stays below the working folder";

  const std::string error = U8(OpenError("dat\\a.bmp"));
  EXPECT_NE(error.find(U8("ファイル dat\\a.bmp を開けません。")), std::string::npos) << error;
  EXPECT_NE(error.find(folder.Dir().File("dat")), std::string::npos) << "names the working folder's dat/: " << error;
  EXPECT_NE(error.find(installed), std::string::npos) << "names the installed data folder: " << error;
  EXPECT_EQ(MissingDataFolderText("story.txt"), "") << "only the game's data names are about the data folder";
}
