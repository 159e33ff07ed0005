#include "models/MessageSink.h"

namespace valquor {

std::vector<std::string> TMessageLog::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(Messages.size());
  for (const TMessage& m : Messages) texts.push_back(m.Text);
  return texts;
}

void TMessageLog::ReplayTo(TMessageSink& sink) {
  std::vector<TMessage> messages;
  messages.swap(Messages);
  for (const TMessage& m : messages) sink.ShowMessage(m.Text, m.Kind);
}

}  // namespace valquor
