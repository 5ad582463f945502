// TestSupport -- shared helpers for the tests: readable CP932 in failure messages, scratch files.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "platform/TextCodec.h"

// CP932 text as UTF-8 for a failure message.
inline std::string U8(const std::string& cp932) { return Platform::Cp932ToUtf8(cp932); }

// A fresh folder for the files a test writes (a test may have several); removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    static int serial = 0;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info == nullptr ? "none" : std::string(info->test_suite_name()) + "-" + info->name();
    path_ = std::filesystem::temp_directory_path() /
            ("farrow-" + test + "-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

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

// Points HOME and every XDG folder the game reads at folders inside dir, so that what a test
// saves, remembers or reads back is its own.
inline void PointHomesAt(const ScratchDir& dir) {
  setenv("HOME", dir.File("home").c_str(), 1);
  setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
  setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
}

// The whole content of a file ("" when it cannot be read).
inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// What a program run by a test printed, and how it ended (-1: it did not exit normally).
struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs a shell command line in folder; its standard output and error are caught in files of
// captureDir.
inline TRun RunIn(const std::string& folder, const std::string& commandLine, const std::string& captureDir) {
  const std::string out = (std::filesystem::path(captureDir) / "out.txt").string();
  const std::string err = (std::filesystem::path(captureDir) / "err.txt").string();
  std::string command = "cd '" + folder + "' && " + commandLine + " >'" + out + "' 2>'" + err + "'";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
}
