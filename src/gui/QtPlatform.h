#pragma once
// The platform interface on Qt: message boxes, the busy cursor, the clipboard, the file and font
// dialogs, the manual in a help window, today's date, the settings folder, the locale's decimal
// mark, "What's this?" mode and the locale's short date format.

#include <QFont>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "forms/Platform.h"
#include "forms/SettingsFiles.h"

class QDate;
class QWidget;

namespace valquor {

class THelpWindow;

// A "Caption|*.ext|Caption|*.*" filter in Qt's "Caption (*.ext);;Caption (*)" form. "*.*" means
// every file; several patterns of one entry ("*.txt;*.csv") are kept together; an entry
// without a pattern matches every file; a caption that already shows its pattern is not
// repeated.
[[nodiscard]] QString TranslateFilter(const std::string& filter);

// Day numbers (days since 1899-12-30) and dates; a day number outside years 1..9999 gives the
// nearest representable date.
[[nodiscard]] QDate DateOfDayNumber(int dayNumber);
[[nodiscard]] int DayNumberOfDate(const QDate& date);

// The Qt font of a font spec: an empty name is the application's font (its size too unless the
// spec asks for another than the toolkit's 8 points); a missing family falls back to a
// metric-compatible fixed-pitch one.
[[nodiscard]] QFont FontOfSpec(const TFontSpec& spec);
// The spec of a chosen font; the colour, which Qt's font dialog does not offer, is kept from base.
[[nodiscard]] TFontSpec SpecOfFont(const QFont& font, const TFontSpec& base);

// The manual folder of a program in programFolder: "manual" beside the program (the build tree)
// when it holds index.html, else the installed one at installedManual, a path relative to the
// program's folder ("../share/doc/valquor/manual"), which is also the answer when neither is there.
[[nodiscard]] std::filesystem::path FindManualFolder(const std::filesystem::path& programFolder,
                                                     const std::filesystem::path& installedManual);

class TQtPlatform : public TPlatform {
 public:
  // settingsFolder empty: DefaultSettingsFolder(). manualFolder empty: FindManualFolder() for
  // this program and the installed layout it was built for.
  explicit TQtPlatform(std::filesystem::path settingsFolder = {},
                       std::filesystem::path manualFolder = {});
  ~TQtPlatform() override;
  TQtPlatform(const TQtPlatform&) = delete;
  TQtPlatform& operator=(const TQtPlatform&) = delete;

  void ShowMessage(const std::string& text, TMessageKind kind) override;
  [[nodiscard]] char DecimalMark() const override;
  void SetBusyCursor(bool busy) override;
  [[nodiscard]] std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void SetClipboardReport(const std::string& text, const TFontSpec& font) override;
  [[nodiscard]] std::optional<std::string> OpenFileDialog(
      const TFileDialogRequest& request) override;
  [[nodiscard]] std::optional<std::string> SaveFileDialog(
      const TFileDialogRequest& request) override;
  [[nodiscard]] std::optional<TFontSpec> FontDialog(const TFontSpec& current) override;
  // Opens the manual at the topic's page and anchor (topic 0: the contents).
  void OpenHelp(int topic) override;
  // Hands the note to StatusSink; without one it goes nowhere.
  void ShowStatus(const std::string& text) override;
  void EnterWhatsThisMode() override;
  [[nodiscard]] int Today() override;
  [[nodiscard]] std::filesystem::path SettingsFolder() override { return settingsFolder_; }
  [[nodiscard]] std::string FormatShortDate(int dayNumber) override;

  // Turns the busy cursor off however often it was turned on (after an event handler).
  void ResetBusyCursor();
  [[nodiscard]] int BusyDepth() const { return busyDepth_; }

  // The window that owns message boxes and dialogs (the active window is preferred).
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }
  // Called before a message box or dialog opens, so the view can show the model's state first.
  std::function<void()> BeforeModal;
  // Replaces the message box (tests: a recorder). Gets the text and the kind.
  std::function<void(const std::string&, TMessageKind)> MessageSink;
  // Shows a status note (the main window's status line).
  std::function<void(const std::string&)> StatusSink;

  [[nodiscard]] const std::filesystem::path& ManualFolder() const { return manualFolder_; }
  // The help window, once the manual has been opened.
  [[nodiscard]] THelpWindow* HelpWindow() const;

 private:
  std::optional<std::string> FileDialog(const TFileDialogRequest& request, bool save);
  QWidget* DialogParent() const;

  std::filesystem::path settingsFolder_;
  std::filesystem::path manualFolder_;
  QPointer<QWidget> mainWindow_;
  QPointer<THelpWindow> helpWindow_;
  int busyDepth_ = 0;
};

}  // namespace valquor
