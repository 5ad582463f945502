// TestSupport -- shared helpers for the tests: readable CP932 in failure messages, scratch files.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/TextCodec.h"

// CP932 text as UTF-8 for a failure message.
inline std::string U8(const std::string& cp932) { return Platform::Cp932ToUtf8(cp932); }

// A fresh folder for the files one test writes; removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("farrow-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }

  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Writes bytes exactly as given.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
    return File(name);
  }
  // Writes lines, each ended with CR LF.
  std::string WriteLines(const std::string& name, const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return Write(name, bytes);
  }

 private:
  std::filesystem::path path_;
};
