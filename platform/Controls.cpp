// Controls -- parent/child bookkeeping of the plain control objects.
#include "platform/Controls.h"

#include <algorithm>

namespace Platform {

TControl::TControl(TControl* parent) { SetParent(parent); }

TControl::~TControl() {
  SetParent(nullptr);
  for (TControl* child : children_) child->parent_ = nullptr;
}

void TControl::SetParent(TControl* parent) {
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->Visible) return false;
  }
  return true;
}

void TControl::ClientOrigin(int& x, int& y) const {
  x = 0;
  y = 0;
  for (const TControl* c = this; c->parent_ != nullptr; c = c->parent_) {
    x += c->Left;
    y += c->Top;
  }
}

}  // namespace Platform
