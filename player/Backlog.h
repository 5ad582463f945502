// Backlog -- the story lines shown since the game started, and the page the open backlog
// shows: a plain model, without a window; and the player layer's own backlog, which keeps each
// line the story shows, empties for a new game, and travels with saves and steps back.
#pragma once
#include <deque>
#include <string>
#include <vector>

class TBacklog {
 public:
  // The most lines kept (older ones drop out), and how many one page shows.
  static constexpr int Capacity = 2000;
  static constexpr int PageLines = 17;

  void Add(const std::string& line);
  void Clear();
  // Every line kept, oldest first, and all of them replaced (a save carries them).
  std::vector<std::string> All() const { return {lines_.begin(), lines_.end()}; }
  void Assign(const std::vector<std::string>& lines);
  int Count() const { return static_cast<int>(lines_.size()); }
  // 0-based, the first line of the page; the last page starts at MaxFirst.
  int First() const { return first_; }
  int MaxFirst() const;
  void ShowNewestPage() { first_ = MaxFirst(); }
  // Moves the page by lines (negative: back), kept within the lines. False, and nothing moves,
  // when it would scroll down from the newest page: then the backlog closes.
  bool Scroll(int lines);
  // The lines of the page, oldest first.
  std::vector<std::string> Page() const;

 private:
  std::deque<std::string> lines_;  // CP932, oldest first
  int first_ = 0;
};

struct TSaveGame;

// Listens to the story's line output.
void BacklogSetup();
void BacklogFree();
const TBacklog& KeptLines();
// Opens the backlog over the play area on its newest page; with nothing to look back on it
// stays shut.
void OpenBacklog();
// Scrolling down from the newest page closes the backlog.
void ScrollBacklog(int lines);
// A save carries the backlog; a load puts it back.
void CaptureBacklog(TSaveGame& save);
void RestoreBacklog(const TSaveGame& save);
