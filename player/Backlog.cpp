// Backlog -- the lines kept and the page shown.
#include "player/Backlog.h"

#include <algorithm>

void TBacklog::Add(const std::string& line) {
  lines_.push_back(line);
  if (Count() > Capacity) lines_.pop_front();
}

void TBacklog::Clear() {
  lines_.clear();
  first_ = 0;
}

void TBacklog::Assign(const std::vector<std::string>& lines) {
  Clear();
  for (const std::string& line : lines) Add(line);
}

int TBacklog::MaxFirst() const { return std::max(0, Count() - PageLines); }

bool TBacklog::Scroll(int lines) {
  if (lines > 0 && first_ >= MaxFirst()) return false;
  first_ = std::clamp(first_ + lines, 0, MaxFirst());
  return true;
}

std::vector<std::string> TBacklog::Page() const {
  std::vector<std::string> page;
  for (int i = first_; i < first_ + PageLines && i < Count(); ++i) page.push_back(lines_[static_cast<size_t>(i)]);
  return page;
}
