#pragma once
// The platform as the window's handlers see it: everything is passed on to the real platform,
// but the messages of one user action (a button press, a Compute and its finish, Enter, the
// change of one field, a file read, a paste) are thinned out so that no action buries the
// window under boxes: a text shown once in the action is not shown again, and after five
// different texts the rest are counted into one last message.

#include <set>
#include <string>

#include "forms/Platform.h"

namespace valquor {

class TMessageGate : public TPlatform {
 public:
  // The most different texts one action shows before it counts the rest.
  static constexpr std::size_t kMaxShown = 5;

  // Passes everything on to target, which must outlive the gate.
  explicit TMessageGate(TPlatform& target) : target_(target) {}

  // Starts an action; actions nest, and only the outermost one counts.
  void BeginAction();
  // Ends an action. Leaving the outermost one shows "N more messages of this action were not
  // shown" when N different texts were held back (repeats of a held-back text count once).
  void EndAction();
  [[nodiscard]] bool InAction() const { return depth_ > 0; }

  // Inside an action: shown when the text is new to the action and fewer than kMaxShown
  // different texts were shown, else held back. Outside an action: always shown.
  void ShowMessage(const std::string& text, TMessageKind kind) override;

  [[nodiscard]] char DecimalMark() const override { return target_.DecimalMark(); }
  void SetBusyCursor(bool busy) override { target_.SetBusyCursor(busy); }
  [[nodiscard]] std::string ClipboardText() override { return target_.ClipboardText(); }
  void SetClipboardText(const std::string& text) override { target_.SetClipboardText(text); }
  void SetClipboardReport(const std::string& text, const TFontSpec& font) override {
    target_.SetClipboardReport(text, font);
  }
  [[nodiscard]] std::optional<std::string> OpenFileDialog(
      const TFileDialogRequest& request) override {
    return target_.OpenFileDialog(request);
  }
  [[nodiscard]] std::optional<std::string> SaveFileDialog(
      const TFileDialogRequest& request) override {
    return target_.SaveFileDialog(request);
  }
  [[nodiscard]] std::optional<TFontSpec> FontDialog(const TFontSpec& current) override {
    return target_.FontDialog(current);
  }
  void OpenHelp(int topic) override { target_.OpenHelp(topic); }
  void ShowStatus(const std::string& text) override { target_.ShowStatus(text); }
  void EnterWhatsThisMode() override { target_.EnterWhatsThisMode(); }
  [[nodiscard]] int Today() override { return target_.Today(); }
  [[nodiscard]] std::filesystem::path SettingsFolder() override { return target_.SettingsFolder(); }
  [[nodiscard]] std::string FormatShortDate(int dayNumber) override {
    return target_.FormatShortDate(dayNumber);
  }

  // The platform behind the gate.
  [[nodiscard]] TPlatform& Target() const { return target_; }

 private:
  TPlatform& target_;
  int depth_ = 0;
  std::set<std::string> shown_;
  std::set<std::string> heldBack_;
};

// Keeps an action of a gate open for as long as it lives (the summary shows when it ends).
class TMessageAction {
 public:
  explicit TMessageAction(TMessageGate& gate) : gate_(gate) { gate_.BeginAction(); }
  ~TMessageAction() { gate_.EndAction(); }
  TMessageAction(const TMessageAction&) = delete;
  TMessageAction& operator=(const TMessageAction&) = delete;

 private:
  TMessageGate& gate_;
};

}  // namespace valquor
