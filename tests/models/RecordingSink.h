#pragma once
// A message sink for the model tests: every message text in order.

#include <string>
#include <utility>
#include <vector>

#include "models/MessageSink.h"

namespace valquor {

class TRecordingSink : public TMessageSink {
 public:
  std::vector<std::string> Messages;
  char Mark = '.';  // the decimal mark handed to the parsers

  void ShowMessage(const std::string& text, TMessageKind) override { Messages.push_back(text); }
  std::vector<std::string> TakeMessages() { return std::exchange(Messages, {}); }
};

}  // namespace valquor
