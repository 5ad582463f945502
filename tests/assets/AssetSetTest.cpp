// AssetSetTest -- `make assets` reproduces the committed dat/ files byte for byte.
#include "tools/assets/AssetSet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/assets/AssetFiles.h"

namespace {

TEST(AssetSet, RegeneratesEveryCommittedFileIdentically) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "farrow-assets-test";
  std::filesystem::remove_all(folder);
  AssetSet::WriteAll(folder.string());
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    std::vector<uint8_t> fresh = AssetFiles::Read(entry.path().string());
    std::vector<uint8_t> committed = AssetFiles::Read(AssetFiles::DatPath(name));
    EXPECT_FALSE(committed.empty()) << "dat/" << name << " is missing: run make assets and commit it";
    EXPECT_TRUE(fresh == committed) << "dat/" << name << " differs from what the generators make now";
    ++files;
  }
  std::filesystem::remove_all(folder);
  // Three pictures, twelve sounds, the tune and the icon.
  EXPECT_EQ(files, 17);
}

TEST(AssetSet, GeneratingTwiceGivesTheSameBytes) {
  std::vector<AssetSet::File> first = AssetSet::Generate(), second = AssetSet::Generate();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].name;
}

}  // namespace
