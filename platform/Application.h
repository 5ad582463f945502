// Application -- the application object: terminate request and terminated flag.
// (The message loop, the window and the top-level error handler are added on top of this.)
#pragma once

namespace Platform {

class TApplication {
 public:
  // Asks the program to end: the frame loop returns after its current pass.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Tests and the replay harness start a fresh run.
  void ResetTerminated() { terminated_ = false; }

 private:
  bool terminated_ = false;
};

extern TApplication Application;

}  // namespace Platform
