#include "forms/ScriptedPlatform.h"

#include <utility>

namespace valquor {

void TScriptedPlatform::ShowMessage(const std::string& text, TMessageKind) {
  Messages.push_back(text);
  if (OnMessage) OnMessage(text);
}

void TScriptedPlatform::SetBusyCursor(bool busy) {
  if (busy) ++BusyOnCount;
  Busy = busy;
}

std::optional<std::string> TScriptedPlatform::NextFileAnswer(const TFileDialogRequest& request) {
  FileRequests.push_back(request);
  if (FileAnswers.empty()) return std::nullopt;
  std::string answer = std::move(FileAnswers.front());
  FileAnswers.pop_front();
  return answer;
}

std::optional<std::string> TScriptedPlatform::OpenFileDialog(const TFileDialogRequest& request) {
  return NextFileAnswer(request);
}

std::optional<std::string> TScriptedPlatform::SaveFileDialog(const TFileDialogRequest& request) {
  return NextFileAnswer(request);
}

std::optional<TFontSpec> TScriptedPlatform::FontDialog(const TFontSpec&) {
  if (FontAnswers.empty()) return std::nullopt;
  TFontSpec answer = FontAnswers.front();
  FontAnswers.pop_front();
  return answer;
}

std::vector<std::string> TScriptedPlatform::TakeMessages() { return std::exchange(Messages, {}); }

}  // namespace valquor
