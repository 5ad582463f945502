// ResultTags -- the heads of the result strings the scenario engine, its file access, the cipher
// and every command handler report; what follows a tag says where and why.
#pragma once

inline constexpr char ResultSuccess[] = "【成功】";      // goes on
inline constexpr char ResultFailure[] = "【不成功】";    // a game rule refused (a full page or log)
inline constexpr char ResultNotRun[] = "【不実行】";     // the line is not this command's
inline constexpr char ResultError[] = "【エラー】";      // followed by the error and where
inline constexpr char ResultUnset[] = "【結果未設定】";  // followed by the function that set none
