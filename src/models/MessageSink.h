#pragma once
// The one thing the models need from outside themselves: somewhere to put a message for the
// user. The window shows it in a box; work done away from the window keeps it in a TMessageLog
// and the window shows the log afterwards, in order.

#include <string>
#include <vector>

namespace valquor {

// How a message box looks; the text is what matters to the behaviour.
enum class TMessageKind { Information, Warning, Error };

struct TMessage {
  std::string Text;
  TMessageKind Kind = TMessageKind::Information;
  bool operator==(const TMessage&) const = default;
};

class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  // A message for the user; returns when it has been dealt with (shown or kept).
  virtual void ShowMessage(const std::string& text,
                           TMessageKind kind = TMessageKind::Information) = 0;
};

// Keeps every message in the order it came.
class TMessageLog : public TMessageSink {
 public:
  std::vector<TMessage> Messages;

  void ShowMessage(const std::string& text, TMessageKind kind) override {
    Messages.push_back({text, kind});
  }
  // The texts alone, in order.
  [[nodiscard]] std::vector<std::string> Texts() const;
  // Passes every kept message on to sink, in order, and forgets them.
  void ReplayTo(TMessageSink& sink);
};

// Passes every message on to a target that can change: the models of a worker report to the
// unit of work at hand. Without a target messages are dropped.
class TMessageRelay : public TMessageSink {
 public:
  void SetTarget(TMessageSink* target) { target_ = target; }
  [[nodiscard]] TMessageSink* Target() const { return target_; }
  void ShowMessage(const std::string& text, TMessageKind kind) override {
    if (target_ != nullptr) target_->ShowMessage(text, kind);
  }

 private:
  TMessageSink* target_ = nullptr;
};

}  // namespace valquor
