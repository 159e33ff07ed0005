#include "gui/Application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {

int RunValquor(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Valquor"));
  QApplication::setApplicationVersion(QStringLiteral("2.3"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Valquor: option pricing for the private trader."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption settingsDir(
      QStringLiteral("settings-dir"),
      QStringLiteral("The folder of the settings files, instead of $XDG_CONFIG_HOME/valquor "
                     "(else ~/.config/valquor)."),
      QStringLiteral("DIR"));
  parser.addOption(settingsDir);
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "valquor: %s (see --help)\n", qPrintable(parser.errorText()));
    return 2;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    std::printf("Valquor 2.3\n");
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "valquor: unexpected argument '%s' (see --help)\n",
                 qPrintable(parser.positionalArguments().first()));
    return 2;
  }
  std::filesystem::path folder;
  if (parser.isSet(settingsDir)) {
    folder = parser.value(settingsDir).toStdString();
    if (folder.empty()) {
      std::fprintf(stderr, "valquor: --settings-dir needs a folder\n");
      return 2;
    }
  }

  TQtPlatform platform(folder);
  try {
    TFormPersonal form(platform);
    TMainWindow window(
        form, form.FormWiz, form.FormWiz2,
        [&form](const std::function<void()>& handler) { form.RunHandler(handler); }, platform);
    window.Start();
    return QApplication::exec();
  } catch (const std::exception& e) {
    // Only the start-up runs outside an event handler; what it cannot survive ends here.
    QMessageBox::critical(nullptr, QStringLiteral("Valquor"), QString::fromStdString(e.what()));
    return 1;
  }
}

}  // namespace valquor
