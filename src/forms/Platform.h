#pragma once
// Everything the program needs from outside itself: message boxes, the busy cursor, the
// clipboard, file and font dialogs, help, today's date, the settings folder and the locale's
// decimal mark. The Qt window implements it with widgets; the command-line driver and the tests
// implement it with queues and recorders (TScriptedPlatform), so a test can assert the exact
// sequence of messages a computation showed.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor {

// A font as the report panes and the font dialog know it.
struct TFontSpec {
  std::string Name = "Courier New";
  int Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  std::uint32_t Color = 0;  // 0x00BBGGRR, black by default
  bool operator==(const TFontSpec&) const = default;
};

// What a file dialog is opened with. Filter uses the "Caption|*.ext|Caption|*.*" form.
struct TFileDialogRequest {
  std::string Title;
  std::string Filter;
  std::string InitialDir;
  std::string FileName;
  std::string DefaultExt;  // without the dot, "dat"
};

class TPlatform : public TMessageSink {
 public:
  // ShowMessage (TMessageSink): a modal message box; returns when the user has dismissed it.

  // The decimal mark of the user's locale: '.' or ','.
  [[nodiscard]] virtual char DecimalMark() const = 0;
  // Busy (hourglass) cursor on or off. Prefer TBusyCursor, which turns it off on every path.
  virtual void SetBusyCursor(bool busy) = 0;

  [[nodiscard]] virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // Copies a report: the text as plain text and, where the clipboard takes it, as rich text in
  // the pane's font.
  virtual void SetClipboardReport(const std::string& text, const TFontSpec& font) {
    (void)font;
    SetClipboardText(text);
  }

  // The chosen path, or nothing when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> OpenFileDialog(
      const TFileDialogRequest& request) = 0;
  [[nodiscard]] virtual std::optional<std::string> SaveFileDialog(
      const TFileDialogRequest& request) = 0;
  // The chosen font, or nothing when the user cancels.
  [[nodiscard]] virtual std::optional<TFontSpec> FontDialog(const TFontSpec& current) = 0;

  // Opens the manual; topic 0 is its table of contents.
  virtual void OpenHelp(int topic) = 0;
  // A short note in the window's status line that goes by itself ("Report copied"); not a
  // message box. None by default.
  virtual void ShowStatus(const std::string& text) { (void)text; }
  // Switches the window into "What's this?" mode: the next click on a control shows its help.
  virtual void EnterWhatsThisMode() {}

  // Today's date as a day number (days since 1899-12-30, day 0), without a time of day.
  [[nodiscard]] virtual int Today() = 0;
  // The per-user folder that holds every settings file.
  [[nodiscard]] virtual std::filesystem::path SettingsFolder() = 0;
  // A date in the user's short date format (messages only).
  [[nodiscard]] virtual std::string FormatShortDate(int dayNumber);
};

// Keeps the busy cursor on for as long as it lives, also when an exception leaves the scope.
class TBusyCursor {
 public:
  explicit TBusyCursor(TPlatform& platform) : platform_(platform) { platform_.SetBusyCursor(true); }
  ~TBusyCursor() { platform_.SetBusyCursor(false); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TPlatform& platform_;
};

// A text that the toolkit's integer conversion refuses. what() is the message the user sees,
// "'1.5' is not a valid integer value"; the computation that met it is abandoned.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Abandons the command that is running without a further message (an unrecognised position
// name ends the whole Compute this way, after its own message).
class EAbort : public std::exception {
 public:
  [[nodiscard]] const char* what() const noexcept override { return "Operation aborted"; }
};

// A profile (INI) file that cannot be written; what() is "Unable to write to <path>".
class EIniFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An edit box's text as a number with the user's decimal mark (ParseNumber and ParseFloat of
// models/Numbers.h); messages go to the platform.
[[nodiscard]] float ParseNumber(std::string_view text, TPlatform& platform);
[[nodiscard]] float ParseFloat(std::string_view text, TPlatform& platform);

// For a command (a button press, Compute, Enter): the number an edit box's text holds, as
// ParseNumber reads it. A text that is no number shows ParseNumber's message and throws EAbort:
// the command stops there, writing nothing.
[[nodiscard]] float ReadCommandNumber(std::string_view text, TPlatform& platform);

}  // namespace valquor
