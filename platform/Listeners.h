// Listeners -- an ordered list of procedures that hear one kind of event. Each answers whether
// it took the event; the first that does ends the round, so later ones do not see it (a menu
// before the game, as a responder chain). Layers register here; none replaces another's.
#pragma once
#include <functional>
#include <utility>
#include <vector>

namespace Platform {

template <typename... Args>
class TListeners {
 public:
  using TListener = std::function<bool(Args...)>;

  // Appends a listener (heard after those added before it); the answer removes it again.
  int Add(TListener listener) {
    entries_.push_back(TEntry{++lastId_, std::move(listener)});
    return lastId_;
  }
  void Remove(int id) {
    std::erase_if(entries_, [id](const TEntry& entry) { return entry.Id == id; });
  }
  bool Empty() const { return entries_.empty(); }

  // Tells the listeners in order until one takes the event; true when one did. A listener may
  // add or remove listeners meanwhile: this round tells those present when it began.
  bool Notify(Args... args) const {
    const std::vector<TEntry> round = entries_;
    for (const TEntry& entry : round) {
      if (entry.Listener(args...)) return true;
    }
    return false;
  }

 private:
  struct TEntry {
    int Id;
    TListener Listener;
  };
  std::vector<TEntry> entries_;
  int lastId_ = 0;
};

}  // namespace Platform
