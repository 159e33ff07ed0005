#include "gui/Application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "ValquorVersion.h"
#include "gui/MainWindow.h"
#include "gui/QtCommandRunner.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

constexpr const char* kUsage = R"(Usage: valquor [--settings-dir DIR] [Qt options]

Valquor values stock and index options: the window with its pages and reports.

Options:
  --settings-dir DIR  the folder of the settings files, instead of $XDG_CONFIG_HOME/valquor
                      (else ~/.config/valquor)
  -h, --help          this text
  -v, --version       the program's version
Qt's own options (-platform, -style, -reverse ...) are accepted too.
)";

}  // namespace

int RunValquor(int argc, char** argv) {
  // Help and version need no display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version" || arg == "-v") {
      std::printf("valquor %s\n", kValquorVersion);
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Valquor"));
  QApplication::setApplicationVersion(QLatin1String(kValquorVersion));
  // The menu entry valquor.desktop: its icon goes with the window on Wayland too.
  QGuiApplication::setDesktopFileName(QStringLiteral("valquor"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("valquor")));
  QCommandLineParser parser;
  const QCommandLineOption settingsDir(QStringLiteral("settings-dir"), QString(),
                                       QStringLiteral("DIR"));
  parser.addOption(settingsDir);
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "valquor: %s (see --help)\n", qPrintable(parser.errorText()));
    return 2;
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
    // Commands compute away from the window's thread while it is there.
    form.SetCommandRunner(&window.CommandRunner());
    window.Start();
    const int status = QApplication::exec();
    form.SetCommandRunner(nullptr);
    return status;
  } catch (const std::exception& e) {
    // Only the start-up runs outside an event handler; what it cannot survive ends here.
    QMessageBox::critical(nullptr, QStringLiteral("Valquor"), QString::fromStdString(e.what()));
    return 1;
  }
}

}  // namespace valquor
