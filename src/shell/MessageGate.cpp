#include "shell/MessageGate.h"

namespace valquor {

void TMessageGate::BeginAction() {
  if (depth_++ == 0) {
    shown_.clear();
    heldBack_.clear();
  }
}

void TMessageGate::EndAction() {
  if (depth_ == 0 || --depth_ > 0) return;
  const std::size_t notShown = heldBack_.size();
  shown_.clear();
  heldBack_.clear();
  if (notShown > 0) {
    target_.ShowMessage(std::to_string(notShown) + " more messages of this action were not shown",
                        TMessageKind::Warning);
  }
}

void TMessageGate::ShowMessage(const std::string& text, TMessageKind kind) {
  if (depth_ == 0) {
    target_.ShowMessage(text, kind);
    return;
  }
  if (shown_.count(text) > 0) return;
  if (shown_.size() >= kMaxShown) {
    heldBack_.insert(text);
    return;
  }
  shown_.insert(text);
  target_.ShowMessage(text, kind);
}

}  // namespace valquor
