#pragma once
// A platform without a display: messages are recorded (and optionally passed on), dialogs take
// their answers from queues, the clipboard is a string. Used by the command-line driver and by
// every test below the window.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/Platform.h"

namespace valquor {

class TScriptedPlatform : public TPlatform {
 public:
  // Every message shown, in order.
  std::vector<std::string> Messages;
  // Called for every message as it is shown (the driver writes it to standard error).
  std::function<void(const std::string&)> OnMessage;

  char Mark = '.';
  bool Busy = false;
  int BusyOnCount = 0;  // how often the busy cursor was switched on
  std::string Clipboard;
  // Answers of the next file dialogs, open or save alike; an empty queue cancels.
  std::deque<std::string> FileAnswers;
  std::vector<TFileDialogRequest> FileRequests;
  std::deque<TFontSpec> FontAnswers;  // an empty queue cancels
  std::vector<int> HelpTopics;
  std::vector<std::string> StatusNotes;  // the status line's notes, in order
  int TodayValue = 46364;                // 2026-12-08
  std::filesystem::path Folder = ".";

  void ShowMessage(const std::string& text, TMessageKind kind) override;
  [[nodiscard]] char DecimalMark() const override { return Mark; }
  void SetBusyCursor(bool busy) override;
  [[nodiscard]] std::string ClipboardText() override { return Clipboard; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
  [[nodiscard]] std::optional<std::string> OpenFileDialog(
      const TFileDialogRequest& request) override;
  [[nodiscard]] std::optional<std::string> SaveFileDialog(
      const TFileDialogRequest& request) override;
  [[nodiscard]] std::optional<TFontSpec> FontDialog(const TFontSpec& current) override;
  void OpenHelp(int topic) override { HelpTopics.push_back(topic); }
  void ShowStatus(const std::string& text) override { StatusNotes.push_back(text); }
  int WhatsThisRequests = 0;
  void EnterWhatsThisMode() override { ++WhatsThisRequests; }
  [[nodiscard]] int Today() override { return TodayValue; }
  [[nodiscard]] std::filesystem::path SettingsFolder() override { return Folder; }

  // The recorded messages, then forgets them.
  std::vector<std::string> TakeMessages();

 private:
  std::optional<std::string> NextFileAnswer(const TFileDialogRequest& request);
};

}  // namespace valquor
