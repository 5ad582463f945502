// StoryCodec -- `farrow-story encode` and `decode`: a scenario source to the enciphered file
// the game loads, and back.
#pragma once
#include <span>
#include <string>

namespace Story {

// The key text the game loads its scenario with.
inline const char* const DefaultKey = "fable.txt";

// Each returns the exit status: 0 done, 1 failed (the reason is on standard error).
int Encode(const std::string& sourcePath, const std::string& outPath, const std::string& key, bool isCp932);
int Decode(const std::string& path, const std::string& key);

}  // namespace Story
