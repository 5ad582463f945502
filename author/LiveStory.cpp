// LiveStory -- --story, its reload and the file watch.
#include "author/LiveStory.h"

#include <iostream>
#include <sstream>

#include "author/StoryCheck.h"
#include "author/StorySource.h"
#include "game/UnitScript.h"
#include "paint/QuilTimer.h"
#include "platform/DataFiles.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "script/ResultTags.h"

namespace Story {

namespace {

std::string StoryPath;  // the story being played, as the command line named it
Platform::TForm* CaptionForm = nullptr;
std::string NormalCaption;
std::string ErrorCaption;  // what ShowError put in the title
Platform::TFileStamp Seen;
TReloadNotice ReloadNotice = nullptr;

void RestoreCaption() {
  TQuilTimer::Remove(RestoreCaption);
  // A title something else said meanwhile (a volume, a screenshot) stays.
  if (CaptionForm != nullptr && CaptionForm->Caption == ErrorCaption) CaptionForm->Caption = NormalCaption;
  CaptionForm = nullptr;
}

void ShowError(Platform::TForm& form, const std::string& utf8) {
  std::cerr << utf8 << "\n";
  if (ReloadNotice != nullptr) {
    // The player's title words: one owner of the title, so no other word of it cuts this short.
    size_t bad = 0;
    std::string cp932;
    if (!Platform::Utf8ToCp932(utf8, cp932, bad)) cp932 = "story error";
    ReloadNotice(cp932, ErrorCaptionMs);
    return;
  }
  if (CaptionForm == nullptr) NormalCaption = form.Caption;
  TQuilTimer::Remove(RestoreCaption);
  TQuilTimer::Add(RestoreCaption, ErrorCaptionMs, "story error");
  CaptionForm = &form;
  size_t bad = 0;
  std::string cp932;
  if (!Platform::Utf8ToCp932(NormalCaption + " - " + utf8, cp932, bad)) cp932 = NormalCaption + " - story error";
  form.Caption = cp932;
  ErrorCaption = cp932;
}

Platform::TForm* WatchedForm = nullptr;

void PollStoryFile() {
  // The file's time and size tell that it was saved.
  Platform::TFileStamp stamp;
  if (WatchedForm == nullptr || !Platform::FileStamp(StoryPath, stamp) || stamp == Seen) return;
  Seen = stamp;
  ReloadStory(*WatchedForm);
}

}  // namespace

bool ReadStory(const std::string& path, std::vector<std::string>& lines, std::ostream& err, std::string& firstError) {
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(path, bytes, why)) {
    firstError = "cannot read " + path + ": " + why;
    err << firstError << "\n";
    return false;
  }
  TSource source = ConvertSource(bytes, false);
  std::vector<TDiagnostic> found = CheckScenario(source);
  std::ostringstream printed;
  bool anyError = PrintDiagnostics(path, found, printed);
  err << printed.str();
  if (anyError) {
    for (const TDiagnostic& d : found) {
      if (!d.IsError) continue;
      std::ostringstream one;
      PrintDiagnostics(path, {d}, one);
      firstError = one.str();
      firstError.pop_back();  // the line end
      break;
    }
    return false;
  }
  lines = std::move(source.Lines);
  return true;
}

bool UseStory(const std::string& path, std::ostream& err) {
  std::vector<std::string> lines;
  std::string firstError;
  if (!ReadStory(path, lines, err, firstError)) return false;
  StoryPath = path;
  UseStoryLines(path, std::move(lines));
  return true;
}

bool PlayingStory() { return !StoryPath.empty(); }

bool ReloadStory(Platform::TForm& form, const std::string& textPath) {
  if (Script == nullptr || StoryPath.empty()) return false;
  std::vector<std::string> lines;
  std::string firstError;
  std::ostringstream quiet;  // warnings were shown at the start; an error is shown once below
  const std::string& from = textPath.empty() ? StoryPath : textPath;
  if (!ReadStory(from, lines, quiet, firstError)) {
    if (from != StoryPath && firstError.rfind(from, 0) == 0) firstError.replace(0, from.size(), StoryPath);
    ShowError(form, firstError);
    return false;
  }
  std::string result;
  Script->ReloadLines(StoryPath, lines, static_cast<int>(lines.size()), result);
  if (result != ResultSuccess) {
    ShowError(form, StoryPath + ": " + Platform::Cp932ToUtf8(result));
    return false;
  }
  if (CaptionForm != nullptr) RestoreCaption();
  if (ReloadNotice != nullptr) {
    ReloadNotice(Platform::PathText(Platform::LastPart(StoryPath)) + " を読み込み直しました", ReloadedMs);
  }
  return true;
}

void SetReloadNotice(TReloadNotice notice) { ReloadNotice = notice; }

void WatchStory(Platform::TForm& form) {
  if (StoryPath.empty()) return;
  WatchedForm = &form;
  Platform::FileStamp(StoryPath, Seen);
  TQuilTimer::Add(PollStoryFile, 500, "story watch");
}

}  // namespace Story
