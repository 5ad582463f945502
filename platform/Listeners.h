// Listeners -- an ordered list of procedures that hear one kind of event. Each answers whether
// it took the event; the first that does ends the round, so later ones do not see it (a menu
// before the game, as a responder chain). Layers register here; none replaces another's.
#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Platform {

// One registration: the listener is removed when this goes (or is reset or assigned over). It
// may outlive its list, which then has nothing to remove.
class TSubscription {
 public:
  TSubscription() = default;
  explicit TSubscription(std::function<void()> remove) : remove_(std::move(remove)) {}
  TSubscription(TSubscription&& other) noexcept : remove_(std::exchange(other.remove_, nullptr)) {}
  TSubscription& operator=(TSubscription&& other) noexcept {
    if (this != &other) {
      Reset();
      remove_ = std::exchange(other.remove_, nullptr);
    }
    return *this;
  }
  TSubscription(const TSubscription&) = delete;
  TSubscription& operator=(const TSubscription&) = delete;
  ~TSubscription() { Reset(); }

  void Reset() {
    if (remove_) std::exchange(remove_, nullptr)();
  }

 private:
  std::function<void()> remove_;
};

template <typename... Args>
class TListeners {
 public:
  using TListener = std::function<bool(Args...)>;

  TListeners() = default;
  TListeners(const TListeners&) = delete;
  TListeners& operator=(const TListeners&) = delete;

  // Appends a listener (heard after those added before it); the answer removes it again.
  int Add(TListener listener) {
    state_->Entries.push_back(TEntry{++state_->LastId, std::move(listener)});
    return state_->LastId;
  }
  void Remove(int id) {
    std::erase_if(state_->Entries, [id](const TEntry& entry) { return entry.Id == id; });
  }
  // Appends a listener that stays while the answer lives.
  [[nodiscard]] TSubscription Subscribe(TListener listener) {
    const int id = Add(std::move(listener));
    return TSubscription([weak = std::weak_ptr<TState>(state_), id] {
      if (const std::shared_ptr<TState> state = weak.lock()) {
        std::erase_if(state->Entries, [id](const TEntry& entry) { return entry.Id == id; });
      }
    });
  }
  bool Empty() const { return state_->Entries.empty(); }

  // Tells the listeners in order until one takes the event; true when one did. A listener may
  // add or remove listeners meanwhile: this round tells those present when it began.
  bool Notify(Args... args) const {
    const std::vector<TEntry> round = state_->Entries;
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
  struct TState {
    std::vector<TEntry> Entries;
    int LastId = 0;
  };
  // Shared with the subscriptions, which may outlive the list.
  std::shared_ptr<TState> state_ = std::make_shared<TState>();
};

}  // namespace Platform
