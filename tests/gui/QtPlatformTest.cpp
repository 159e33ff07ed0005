// The platform interface on Qt: filters, folders, dates, fonts, and the real message box, file
// and font dialogs, clipboard, busy cursor, help window and "What's this?" mode.

#include <pwd.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWhatsThis>
#include <optional>

#include "ModalHelper.h"
#include "gui/HelpWindow.h"
#include "gui/QtPlatform.h"

namespace valquor {

using test::TModalCloser;

namespace {

// Types a file name into an open file dialog, as the user does. (selectFile() leaves the name
// field alone while it has the focus, which depends on when the window became active.)
void TypeFileName(QFileDialog* dialog, const QString& name) {
  auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
  QVERIFY(field != nullptr);
  field->setText(name);
}

}  // namespace

class TQtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void TranslatesFilters_data();
  void TranslatesFilters();
  void ChoosesTheSettingsFolder_data();
  void ChoosesTheSettingsFolder();
  void ConvertsDayNumbers_data();
  void ConvertsDayNumbers();
  void MakesFontsOfSpecs_data();
  void MakesFontsOfSpecs();
  void ShowsMessagesAsPlainTextBoxes();
  void SendsMessagesToTheSinkWhenThereIsOne();
  void StacksTheBusyCursorAndResetsIt();
  void PutsTextOnTheClipboard();
  void OpensAFileDialogAsRequested();
  void SavesWithTheDefaultExtension();
  void CancelledDialogsGiveNothing();
  void FontDialogKeepsTheColour();
  void FindsTheManualBesideOrInstalled_data();
  void FindsTheManualBesideOrInstalled();
  void OpensTheManualAtItsContents();
  void SaysWhenTheManualIsMissing();
  void EntersWhatsThisMode();
  void ReadsTheLocaleDecimalMark_data();
  void ReadsTheLocaleDecimalMark();
};

void TQtPlatformTest::TranslatesFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("expected");
  QTest::newRow("text files") << "Textfiles|*.txt|All files|*.*"
                              << "Textfiles (*.txt);;All files (*)";
  QTest::newRow("weekly data") << "Weekly data|*.dat|All files|*.*"
                               << "Weekly data (*.dat);;All files (*)";
  QTest::newRow("caption shows its pattern") << "Weekly data (*.dat)|*.dat"
                                             << "Weekly data (*.dat)";
  QTest::newRow("several patterns") << "Prices|*.txt;*.csv"
                                    << "Prices (*.txt *.csv)";
  QTest::newRow("no pattern") << "Anything|"
                              << "Anything (*)";
  QTest::newRow("no caption") << "|*.txt"
                              << "*.txt (*.txt)";
  QTest::newRow("no filter") << ""
                             << "";
}

void TQtPlatformTest::TranslatesFilters() {
  QFETCH(QString, filter);
  QFETCH(QString, expected);
  QCOMPARE(TranslateFilter(filter.toStdString()), expected);
}

void TQtPlatformTest::ChoosesTheSettingsFolder_data() {
  QTest::addColumn<QByteArray>("xdg");  // "-" for unset
  QTest::addColumn<QByteArray>("home");
  QTest::addColumn<QString>("expected");
  QTest::newRow("XDG_CONFIG_HOME")
      << QByteArray("/tmp/cfg") << QByteArray("/home/u") << "/tmp/cfg/valquor";
  QTest::newRow("XDG_CONFIG_HOME empty")
      << QByteArray("") << QByteArray("/home/u") << "/home/u/.config/valquor";
  QTest::newRow("XDG_CONFIG_HOME relative")
      << QByteArray("cfg") << QByteArray("/home/u") << "/home/u/.config/valquor";
  QTest::newRow("no XDG_CONFIG_HOME")
      << QByteArray("-") << QByteArray("/home/u") << "/home/u/.config/valquor";
  // Without HOME the home folder comes from the password database.
  const passwd* user = ::getpwuid(::getuid());
  const QString databaseHome =
      QString::fromLocal8Bit(user != nullptr ? user->pw_dir : "") + "/.config/valquor";
  QTest::newRow("no home") << QByteArray("-") << QByteArray("-") << databaseHome;
  QTest::newRow("empty home") << QByteArray("-") << QByteArray("") << databaseHome;
}

void TQtPlatformTest::ChoosesTheSettingsFolder() {
  QFETCH(QByteArray, xdg);
  QFETCH(QByteArray, home);
  QFETCH(QString, expected);
  const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
  const bool hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray savedHome = qgetenv("HOME");
  auto set = [](const char* name, const QByteArray& value) {
    if (value == "-") {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  };
  set("XDG_CONFIG_HOME", xdg);
  set("HOME", home);
  const std::filesystem::path folder = DefaultSettingsFolder();
  const std::filesystem::path chosen = TQtPlatform().SettingsFolder();
  const std::filesystem::path given = TQtPlatform("/given/folder").SettingsFolder();
  set("XDG_CONFIG_HOME", hadXdg ? savedXdg : QByteArray("-"));
  qputenv("HOME", savedHome);
  QCOMPARE(QString::fromStdString(folder.string()), expected);
  QCOMPARE(QString::fromStdString(chosen.string()), expected);
  QCOMPARE(QString::fromStdString(given.string()), QString("/given/folder"));
}

void TQtPlatformTest::ConvertsDayNumbers_data() {
  QTest::addColumn<QDate>("date");
  QTest::addColumn<int>("day");
  QTest::newRow("day zero") << QDate(1899, 12, 30) << 0;
  QTest::newRow("the day before") << QDate(1899, 12, 29) << -1;
  QTest::newRow("1 January 1900") << QDate(1900, 1, 1) << 2;
  QTest::newRow("leap day 2000") << QDate(2000, 2, 29) << 36585;
  QTest::newRow("8 December 2026") << QDate(2026, 12, 8) << 46364;
}

void TQtPlatformTest::ConvertsDayNumbers() {
  QFETCH(QDate, date);
  QFETCH(int, day);
  QCOMPARE(DayNumberOfDate(date), day);
  QCOMPARE(DateOfDayNumber(day), date);
  QCOMPARE(DayNumberOfDate(QDate()), 0);
  QCOMPARE(TQtPlatform().Today(), DayNumberOfDate(QDate::currentDate()));
}

void TQtPlatformTest::MakesFontsOfSpecs_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("size");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<int>("expectedSize");  // 0: the application's size
  QTest::addColumn<bool>("fixedPitch");
  QTest::newRow("report font") << "Courier New" << 10 << false << 10 << true;
  QTest::newRow("stored lower case") << "Courier new" << 12 << true << 12 << true;
  QTest::newRow("missing family stays fixed") << "No Such Font 7" << 9 << false << 9 << true;
  QTest::newRow("toolkit font") << "" << 8 << false << 0 << false;
  QTest::newRow("toolkit font, bigger") << "" << 14 << true << 14 << false;
  QTest::newRow("absurd size") << "Courier New" << 100000 << false << 400 << true;
  QTest::newRow("no size") << "Courier New" << 0 << false << 10 << true;
}

void TQtPlatformTest::MakesFontsOfSpecs() {
  QFETCH(QString, name);
  QFETCH(int, size);
  QFETCH(bool, bold);
  QFETCH(int, expectedSize);
  QFETCH(bool, fixedPitch);
  TFontSpec spec{name.toStdString(), size, bold, false, true, false, 0xFF0000};
  const QFont font = FontOfSpec(spec);
  QCOMPARE(font.pointSize(), expectedSize == 0 ? QApplication::font().pointSize() : expectedSize);
  QCOMPARE(font.bold(), bold);
  QVERIFY(font.underline());
  if (fixedPitch) QVERIFY(QFontInfo(font).fixedPitch());
  const TFontSpec back = SpecOfFont(font, spec);
  QCOMPARE(back.Color, spec.Color);  // the font dialog has no colour; it is kept
  QCOMPARE(back.Bold, bold);
  QCOMPARE(back.Size, font.pointSize());
}

void TQtPlatformTest::ShowsMessagesAsPlainTextBoxes() {
  TQtPlatform platform;
  int before = 0;
  platform.BeforeModal = [&before] { ++before; };
  QString text;
  QString title;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  TModalCloser closer([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box != nullptr);
    text = box->text();
    title = box->windowTitle();
    format = box->textFormat();
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  platform.ShowMessage("'<b>1.5</b>' is not a valid integer value", TMessageKind::Error);
  QCOMPARE(closer.Seen, 1);
  QCOMPARE(before, 1);
  QCOMPARE(text, QString("'<b>1.5</b>' is not a valid integer value"));
  QCOMPARE(format, Qt::PlainText);
  QCOMPARE(title, QString("Valquor"));
  QCOMPARE(icon, QMessageBox::Critical);
}

void TQtPlatformTest::SendsMessagesToTheSinkWhenThereIsOne() {
  TQtPlatform platform;
  std::vector<std::pair<std::string, TMessageKind>> shown;
  platform.MessageSink = [&shown](const std::string& text, TMessageKind kind) {
    shown.emplace_back(text, kind);
  };
  platform.ShowMessage("Strike input error", TMessageKind::Error);
  platform.ShowMessage("DaysStep error", TMessageKind::Information);
  QCOMPARE(shown.size(), std::size_t{2});
  QCOMPARE(shown[0].first, std::string("Strike input error"));
  QCOMPARE(shown[1].second, TMessageKind::Information);
  QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TQtPlatformTest::StacksTheBusyCursorAndResetsIt() {
  TQtPlatform platform;
  platform.SetBusyCursor(false);  // an unmatched "off" changes nothing
  QVERIFY(QApplication::overrideCursor() == nullptr);
  platform.SetBusyCursor(true);
  platform.SetBusyCursor(true);
  QVERIFY(QApplication::overrideCursor() != nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QCOMPARE(platform.BusyDepth(), 2);
  platform.SetBusyCursor(false);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  {
    TBusyCursor scoped(platform);
    QCOMPARE(platform.BusyDepth(), 2);
  }
  platform.ResetBusyCursor();
  QCOMPARE(platform.BusyDepth(), 0);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TQtPlatformTest::PutsTextOnTheClipboard() {
  TQtPlatform platform;
  const std::string text = " *** Delta ***\n  1.00  0.50\n";
  platform.SetClipboardText(text);
  QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(text));
  TFontSpec font;
  font.Name = "Liberation Mono";
  font.Size = 12;
  platform.SetClipboardReport(" a < b\n", font);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QCOMPARE(data->text(), QString(" a < b\n"));
  QVERIFY(data->html().contains("font-family:'Liberation Mono'; font-size:12pt"));
  QVERIFY(data->html().contains(" a &lt; b"));
  QApplication::clipboard()->setText("100\n101,5\n");
  QCOMPARE(platform.ClipboardText(), std::string("100\n101,5\n"));
}

void TQtPlatformTest::OpensAFileDialogAsRequested() {
  QTemporaryDir dir;
  QFile file(dir.filePath("prices.txt"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  TQtPlatform platform(dir.path().toStdString());
  QStringList filters;
  QString folder;
  QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
  TModalCloser closer([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    filters = dialog->nameFilters();
    folder = dialog->directory().absolutePath();
    mode = dialog->acceptMode();
    TypeFileName(dialog, "prices.txt");
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::optional<std::string> path = platform.OpenFileDialog(
      {"Price file", "Textfiles|*.txt|All files|*.*", dir.path().toStdString(), "", ""});
  QCOMPARE(closer.Seen, 1);
  QCOMPARE(mode, QFileDialog::AcceptOpen);
  QCOMPARE(filters, QStringList({"Textfiles (*.txt)", "All files (*)"}));
  QCOMPARE(folder, QDir(dir.path()).absolutePath());
  QVERIFY(path.has_value());
  QCOMPARE(QString::fromStdString(*path), dir.filePath("prices.txt"));
}

void TQtPlatformTest::SavesWithTheDefaultExtension() {
  QTemporaryDir dir;
  TQtPlatform platform(dir.path().toStdString());
  QString suffix;
  QString folder;
  TModalCloser closer([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    suffix = dialog->defaultSuffix();
    folder = dialog->directory().absolutePath();
    TypeFileName(dialog, "weeks");
    static_cast<QDialog*>(dialog)->accept();
  });
  // A start folder that does not exist ("c:\" from an old settings file) falls back to the
  // settings folder.
  const std::optional<std::string> path =
      platform.SaveFileDialog({"", "Weekly data|*.dat|All files|*.*", "c:\\", "", ".dat"});
  QCOMPARE(closer.Seen, 1);
  QCOMPARE(suffix, QString("dat"));
  QCOMPARE(folder, QDir(dir.path()).absolutePath());
  QVERIFY(path.has_value());
  QCOMPARE(QString::fromStdString(*path), dir.filePath("weeks.dat"));
}

void TQtPlatformTest::CancelledDialogsGiveNothing() {
  TQtPlatform platform;
  TModalCloser closeOpen([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  QVERIFY(!platform.OpenFileDialog({"", "Textfiles|*.txt", "", "", ""}).has_value());
  TModalCloser closeSave([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  QVERIFY(!platform.SaveFileDialog({"", "", "", "", ""}).has_value());
  TModalCloser closeFont([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  QVERIFY(!platform.FontDialog(TFontSpec{}).has_value());
  QCOMPARE(closeOpen.Seen + closeSave.Seen + closeFont.Seen, 3);
}

void TQtPlatformTest::FontDialogKeepsTheColour() {
  TQtPlatform platform;
  QString preset;
  TModalCloser closer([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    QVERIFY(dialog != nullptr);
    preset = QFontInfo(dialog->currentFont()).family();
    QFont chosen("DejaVu Sans Mono", 12);
    chosen.setItalic(true);
    dialog->setCurrentFont(chosen);
    static_cast<QDialog*>(dialog)->accept();
  });
  TFontSpec current;
  current.Color = 0x0000FF;
  const std::optional<TFontSpec> font = platform.FontDialog(current);
  QCOMPARE(closer.Seen, 1);
  QCOMPARE(preset, QFontInfo(FontOfSpec(current)).family());
  QVERIFY(font.has_value());
  QCOMPARE(QString::fromStdString(font->Name), QString("DejaVu Sans Mono"));
  QCOMPARE(font->Size, 12);
  QVERIFY(font->Italic);
  QCOMPARE(font->Color, current.Color);
}

void TQtPlatformTest::FindsTheManualBesideOrInstalled_data() {
  QTest::addColumn<bool>("beside");     // bin/manual/index.html exists
  QTest::addColumn<bool>("installed");  // share/doc/valquor/manual/index.html exists
  QTest::addColumn<QString>("expected");
  const QString buildTree = "bin/manual", installedPlace = "share/doc/valquor/manual";
  QTest::newRow("build tree") << true << false << buildTree;
  QTest::newRow("installed") << false << true << installedPlace;
  QTest::newRow("both: the one beside") << true << true << buildTree;
  QTest::newRow("neither: the installed place") << false << false << installedPlace;
}

void TQtPlatformTest::FindsTheManualBesideOrInstalled() {
  QFETCH(bool, beside);
  QFETCH(bool, installed);
  QFETCH(QString, expected);
  QTemporaryDir root;
  QVERIFY(QDir(root.path()).mkpath("bin"));
  // An empty "manual" folder beside the program, as a broken build leaves it, does not count.
  QVERIFY(QDir(root.path()).mkpath("bin/manual"));
  for (const auto& [present, folder] :
       {std::pair{beside, QString("bin/manual")},
        std::pair{installed, QString("share/doc/valquor/manual")}}) {
    if (!present) continue;
    QVERIFY(QDir(root.path()).mkpath(folder));
    QFile index(root.filePath(folder + "/index.html"));
    QVERIFY(index.open(QIODevice::WriteOnly));
  }
  const std::filesystem::path found =
      FindManualFolder(root.filePath("bin").toStdString(), "../share/doc/valquor/manual");
  QCOMPARE(QString::fromStdString(found.string()), root.filePath(expected));
}

void TQtPlatformTest::OpensTheManualAtItsContents() {
  QTemporaryDir manual;
  QFile index(manual.filePath("index.html"));
  QVERIFY(index.open(QIODevice::WriteOnly));
  index.write("<html><body><h1>Contents</h1><a href=\"pages.html\">Pages</a></body></html>");
  index.close();
  QFile pages(manual.filePath("pages.html"));
  QVERIFY(pages.open(QIODevice::WriteOnly));
  pages.write("<html><body><h1>Pages</h1></body></html>");
  pages.close();
  TQtPlatform platform({}, manual.path().toStdString());
  platform.MessageSink = [](const std::string& text, TMessageKind) {
    QFAIL(qPrintable(QString::fromStdString(text)));
  };
  platform.OpenHelp(0);
  THelpWindow* help = platform.HelpWindow();
  QVERIFY(help != nullptr);
  QVERIFY(help->isVisible());
  const QUrl contents = QUrl::fromLocalFile(manual.filePath("index.html"));
  QCOMPARE(help->Source(), contents);
  QVERIFY(help->Browser()->toPlainText().contains("Contents"));
  // Wherever the reader went, the help button brings the contents back.
  help->Browser()->setSource(QUrl::fromLocalFile(manual.filePath("pages.html")));
  platform.OpenHelp(0);
  QCOMPARE(platform.HelpWindow(), help);
  QCOMPARE(help->Source(), contents);
  // Escape closes it.
  help->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(help));
  QTest::keyClick(help->Browser(), Qt::Key_Escape);
  QVERIFY(!help->isVisible());
}

void TQtPlatformTest::SaysWhenTheManualIsMissing() {
  QTemporaryDir empty;
  TQtPlatform platform({}, empty.path().toStdString());
  std::vector<std::string> shown;
  platform.MessageSink = [&shown](const std::string& text, TMessageKind) { shown.push_back(text); };
  platform.OpenHelp(0);
  QCOMPARE(shown.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(shown[0]),
           "The manual was not found: " + empty.filePath("index.html"));
  QVERIFY(platform.HelpWindow() == nullptr);
}

void TQtPlatformTest::EntersWhatsThisMode() {
  TQtPlatform platform;
  QVERIFY(!QWhatsThis::inWhatsThisMode());
  platform.EnterWhatsThisMode();
  QVERIFY(QWhatsThis::inWhatsThisMode());
  platform.EnterWhatsThisMode();  // a second request keeps the mode
  QVERIFY(QWhatsThis::inWhatsThisMode());
  QWhatsThis::leaveWhatsThisMode();
}

void TQtPlatformTest::ReadsTheLocaleDecimalMark_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<char>("mark");
  QTest::addColumn<QString>("date");  // 8 December 2026 in the short format
  QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << '.' << "12/8/26";
  QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ',' << "08.12.26";
  QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << ',' << "08/12/2026";
  QTest::newRow("Swiss German") << QLocale(QLocale::German, QLocale::Switzerland) << '.'
                                << "08.12.26";
}

void TQtPlatformTest::ReadsTheLocaleDecimalMark() {
  QFETCH(QLocale, locale);
  QFETCH(char, mark);
  QFETCH(QString, date);
  const QLocale saved;
  QLocale::setDefault(locale);
  TQtPlatform platform;
  const char read = platform.DecimalMark();
  const std::string shown = platform.FormatShortDate(46364);
  QLocale::setDefault(saved);
  QCOMPARE(read, mark);
  QCOMPARE(QString::fromStdString(shown), date);
}

}  // namespace valquor

QTEST_MAIN(valquor::TQtPlatformTest)
#include "QtPlatformTest.moc"
