#include "gui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWhatsThis>
#include <algorithm>
#include <cstdlib>

#include "gui/HelpWindow.h"
#include "models/Dates.h"
#include "shell/HelpTopics.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

// Message texts can echo whatever was typed into a field; a box shows at most this much.
constexpr int kMaxMessageChars = 2000;

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

QString Trimmed(const std::string& text) { return ToQ(text).trimmed(); }

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning:
      return QMessageBox::Warning;
    case TMessageKind::Error:
      return QMessageBox::Critical;
    case TMessageKind::Information:
      break;
  }
  return QMessageBox::Information;
}

// One entry of a filter: "*.txt;*.csv" becomes "*.txt *.csv", "*.*" becomes "*".
QString PatternsOf(const QString& patterns) {
  QStringList out;
  for (const QString& raw : patterns.split(';', Qt::SkipEmptyParts)) {
    const QString p = raw.trimmed();
    if (p.isEmpty()) continue;
    out << (p == "*.*" ? QStringLiteral("*") : p);
  }
  if (out.isEmpty()) out << QStringLiteral("*");
  out.removeDuplicates();
  return out.join(' ');
}

}  // namespace

QString TranslateFilter(const std::string& filter) {
  if (Trimmed(filter).isEmpty()) return {};
  const QStringList parts = ToQ(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString caption = parts[i].trimmed();
    const QString original = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    const QString patterns = PatternsOf(original);
    // "Weekly data (*.dat)" already shows its pattern.
    for (const QString& shown : {original, patterns}) {
      const QString suffix = " (" + shown + ")";
      if (!shown.isEmpty() && caption.endsWith(suffix)) caption.chop(suffix.size());
    }
    if (caption.isEmpty()) caption = patterns;
    entries << caption + " (" + patterns + ")";
  }
  return entries.join(";;");
}

QDate DateOfDayNumber(int dayNumber) {
  const TCalendarDate d = DecodeDate(dayNumber);
  return QDate(d.Year, d.Month, d.Day);
}

int DayNumberOfDate(const QDate& date) {
  if (!date.isValid()) return 0;
  return EncodeDate(date.year(), date.month(), date.day()).value_or(0);
}

QFont FontOfSpec(const TFontSpec& spec) {
  // The toolkit's own size in the form model is 8 points; any other size is asked for.
  constexpr int kToolkitSize = 8;
  QFont font = QApplication::font();
  if (!spec.Name.empty()) {
    // Where the family is missing, fontconfig's choice for it comes first; the fixed-pitch
    // fallbacks keep the report columns aligned. Liberation Mono and Cousine have the metrics
    // of Courier New.
    font.setFamilies(
        {Trimmed(spec.Name), "Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(std::clamp(spec.Size > 0 ? spec.Size : 10, 1, 400));
  } else if (spec.Size > 0 && spec.Size != kToolkitSize) {
    font.setPointSize(std::min(spec.Size, 400));
  }
  font.setBold(spec.Bold);
  font.setItalic(spec.Italic);
  font.setUnderline(spec.Underline);
  font.setStrikeOut(spec.StrikeOut);
  return font;
}

TFontSpec SpecOfFont(const QFont& font, const TFontSpec& base) {
  TFontSpec spec = base;
  spec.Name = font.family().toStdString();
  if (font.pointSize() > 0) spec.Size = font.pointSize();
  spec.Bold = font.bold();
  spec.Italic = font.italic();
  spec.Underline = font.underline();
  spec.StrikeOut = font.strikeOut();
  return spec;
}

fs::path FindManualFolder(const fs::path& programFolder, const fs::path& installedManual) {
  const fs::path beside = programFolder / "manual";
  std::error_code ec;
  if (fs::is_regular_file(beside / "index.html", ec)) return beside;
  return (programFolder / installedManual).lexically_normal();
}

// ---------------------------------------------------------------------------------------------

TQtPlatform::TQtPlatform(fs::path settingsFolder, fs::path manualFolder)
    : settingsFolder_(settingsFolder.empty() ? DefaultSettingsFolder() : std::move(settingsFolder)),
      manualFolder_(std::move(manualFolder)) {
  if (manualFolder_.empty()) {
    manualFolder_ = FindManualFolder(QCoreApplication::applicationDirPath().toStdString(),
                                     VALQUOR_INSTALLED_MANUAL);
  }
}

TQtPlatform::~TQtPlatform() {
  ResetBusyCursor();
  // A help window without an owning window is ours to delete.
  if (helpWindow_ != nullptr && helpWindow_->parent() == nullptr) delete helpWindow_.data();
}

QWidget* TQtPlatform::DialogParent() const {
  if (QWidget* active = QApplication::activeWindow(); active != nullptr) return active;
  return mainWindow_.data();
}

void TQtPlatform::ShowMessage(const std::string& text, TMessageKind kind) {
  if (MessageSink) {
    MessageSink(text, kind);
    return;
  }
  if (BeforeModal) BeforeModal();
  QString shown = ToQ(text);
  if (shown.size() > kMaxMessageChars) shown = shown.left(kMaxMessageChars) + QChar(0x2026);
  // The busy cursor would hide that the box waits for the user.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(IconOf(kind), QStringLiteral("Valquor"), shown, QMessageBox::Ok, DialogParent());
  box.setTextFormat(Qt::PlainText);  // typed text is echoed in messages: never markup
  box.exec();
  QApplication::restoreOverrideCursor();
}

char TQtPlatform::DecimalMark() const {
  return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void TQtPlatform::SetBusyCursor(bool busy) {
  if (busy) {
    ++busyDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The handler keeps the event loop from running; hand the new cursor to the window system
    // now. Only non-input events are delivered, so no other handler can start meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    QApplication::restoreOverrideCursor();
  }
}

void TQtPlatform::ResetBusyCursor() {
  while (busyDepth_ > 0) SetBusyCursor(false);
}

std::string TQtPlatform::ClipboardText() { return QApplication::clipboard()->text().toStdString(); }

void TQtPlatform::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(ToQ(text));
}

void TQtPlatform::SetClipboardReport(const std::string& text, const TFontSpec& font) {
  // Plain text, and the same lines as rich text in the pane's font, so that a word processor
  // keeps the columns aligned.
  const QString plain = ToQ(text);
  QString html = QStringLiteral("<pre style=\"font-family:'%1'; font-size:%2pt;%3%4\">")
                     .arg(ToQ(font.Name).toHtmlEscaped())
                     .arg(font.Size > 0 ? font.Size : 10)
                     .arg(font.Bold ? QStringLiteral(" font-weight:bold;") : QString())
                     .arg(font.Italic ? QStringLiteral(" font-style:italic;") : QString());
  html += plain.toHtmlEscaped() + QStringLiteral("</pre>");
  auto* data = new QMimeData;
  data->setText(plain);
  data->setHtml(html);
  QApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> TQtPlatform::FileDialog(const TFileDialogRequest& request, bool save) {
  if (BeforeModal) BeforeModal();
  QString folder = Trimmed(request.InitialDir);
  if (folder.isEmpty() || !QDir(folder).exists()) {
    folder = QDir(ToQ(settingsFolder_.string())).exists() ? ToQ(settingsFolder_.string())
                                                          : QDir::homePath();
  }
  QFileDialog dialog(DialogParent(), ToQ(request.Title), folder);
  dialog.setObjectName(save ? "SaveDialog" : "OpenDialog");
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.Filter.empty()) dialog.setNameFilters(TranslateFilter(request.Filter).split(";;"));
  QString suffix = Trimmed(request.DefaultExt);
  while (suffix.startsWith('.')) suffix.remove(0, 1);
  if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  if (const QString name = Trimmed(request.FileName); !name.isEmpty()) dialog.selectFile(name);
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (result != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.first()).toStdString();
}

std::optional<std::string> TQtPlatform::OpenFileDialog(const TFileDialogRequest& request) {
  return FileDialog(request, false);
}

std::optional<std::string> TQtPlatform::SaveFileDialog(const TFileDialogRequest& request) {
  return FileDialog(request, true);
}

std::optional<TFontSpec> TQtPlatform::FontDialog(const TFontSpec& current) {
  if (BeforeModal) BeforeModal();
  // The dialog lists real families only: preset the one the name resolves to ("Courier New"
  // is Liberation Mono on many systems), so that the dialog opens on the font in use.
  QFont preset = FontOfSpec(current);
  preset.setFamily(QFontInfo(preset).family());
  QFontDialog dialog(preset, DialogParent());
  dialog.setObjectName("FontDialog");
  dialog.setWindowTitle(QObject::tr("Report font"));
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (result != QDialog::Accepted) return std::nullopt;
  return SpecOfFont(dialog.selectedFont(), current);
}

void TQtPlatform::OpenHelp(int topic) {
  const fs::path index = manualFolder_ / "index.html";
  std::error_code ec;
  if (!fs::is_regular_file(index, ec)) {
    ShowMessage("The manual was not found: " + index.string(), TMessageKind::Warning);
    return;
  }
  // "pricing.html#StrikeEdit": the page beside the contents, and the anchor on it.
  const std::string location = ManualLocation(topic);
  const std::size_t hash = location.find('#');
  QUrl page = QUrl::fromLocalFile(ToQ((manualFolder_ / location.substr(0, hash)).string()));
  if (hash != std::string::npos) page.setFragment(ToQ(location.substr(hash + 1)));
  if (!fs::is_regular_file(manualFolder_ / location.substr(0, hash), ec)) {
    page = QUrl::fromLocalFile(ToQ(index.string()));
  }
  if (helpWindow_ == nullptr) helpWindow_ = new THelpWindow(mainWindow_.data());
  helpWindow_->ShowTopic(QUrl::fromLocalFile(ToQ(index.string())), page);
}

void TQtPlatform::ShowStatus(const std::string& text) {
  if (StatusSink) StatusSink(text);
}

THelpWindow* TQtPlatform::HelpWindow() const { return helpWindow_.data(); }

void TQtPlatform::EnterWhatsThisMode() {
  if (!QWhatsThis::inWhatsThisMode()) QWhatsThis::enterWhatsThisMode();
}

int TQtPlatform::Today() { return DayNumberOfDate(QDate::currentDate()); }

std::string TQtPlatform::FormatShortDate(int dayNumber) {
  return QLocale().toString(DateOfDayNumber(dayNumber), QLocale::ShortFormat).toStdString();
}

}  // namespace valquor
