#include "cli/Cli.h"

#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "ValquorVersion.h"
#include "cli/CliProgressRunner.h"
#include "cli/CliStep.h"
#include "compute/Csv.h"
#include "forms/ScriptedPlatform.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "models/Dates.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

using TUsageError = ECliUsage;

int LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
}

char LocaleDecimalMark() {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  char mark = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] == ',') {
      mark = ',';
    }
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
  return mark;
}

// A scratch copy of the four settings files, for runs that must not write the real ones. A
// link to a regular file is copied as that file; anything else in the folder (editors' lock
// links, other files, folders and links to them) is no part of the settings and is left alone.
class TScratchFolder {
 public:
  explicit TScratchFolder(const fs::path& source) {
    std::string pattern = (fs::temp_directory_path() / "valquor-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
    const std::vector<fs::path> from = SettingsFiles(source);
    const std::vector<fs::path> to = SettingsFiles(path_);
    for (std::size_t i = 0; i < from.size(); ++i) {
      std::error_code ec;
      if (!fs::is_regular_file(from[i], ec)) continue;  // follows a link
      fs::create_directories(to[i].parent_path(), ec);
      // The copy is the run's own to write, even when the file itself is marked read-only.
      if (fs::copy_file(from[i], to[i], ec)) {
        fs::permissions(to[i], fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, ec);
      }
    }
  }
  ~TScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  [[nodiscard]] const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw TUsageError("cannot read file '" + name + "'");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A chart's data as tab-separated rows, each named by its first field: "axes", X title, Y
// title, "number" or "date"; per series "series", name, "line" or "points", its number of
// points, then one "point" row per point: series name, x, y; per mark "mark", "xline" or
// "yline", "solid", "dashed" or "dotted", label, value. Numbers as CSV exports write them.
void PrintChart(const TChartData& chart, std::ostream& out) {
  if (chart.Series.empty() && chart.Marks.empty()) return;
  out << "axes\t" << chart.XTitle << '\t' << chart.YTitle << '\t'
      << (chart.XKind == TChartAxisKind::Date ? "date" : "number") << '\n';
  for (const TChartSeries& series : chart.Series) {
    out << "series\t" << series.Name << '\t'
        << (series.Style == TChartSeriesStyle::Points ? "points" : "line") << '\t'
        << series.Points.size() << '\n';
    for (const TChartPoint& p : series.Points) {
      out << "point\t" << series.Name << '\t' << CsvNumber(p.X) << '\t' << CsvNumber(p.Y) << '\n';
    }
  }
  for (const TChartMark& mark : chart.Marks) {
    static constexpr const char* kStyles[] = {"solid", "dashed", "dotted"};
    out << "mark\t" << (mark.Kind == TChartMarkKind::YLine ? "yline" : "xline") << '\t'
        << kStyles[static_cast<int>(mark.Style)] << '\t' << mark.Label << '\t'
        << CsvNumber(mark.Value) << '\n';
  }
}

// The steps of one run over one main window.
class TDriver {
 public:
  TDriver(TFormPersonal& form, TScriptedPlatform& platform, std::ostream& out)
      : form_(form), platform_(platform), out_(out) {}

  // The status the steps end with: 0 while they all run; 1 or 2 once an export failed.
  [[nodiscard]] int Status() const { return status_; }

  // Runs one step starting at args[i]; returns the number of arguments it took.
  std::size_t Step(const std::vector<std::string>& args, std::size_t i) {
    const TCliStep step =
        ParseCliStep(args, i, {form_.Name(), form_.FormWiz.Name(), form_.FormWiz2.Name()});
    switch (step.Kind) {
      case TCliStepKind::Set:
        Set(Find(step.Target), step.Text);
        break;
      case TCliStepKind::Click:
        Click(Find(step.Target));
        break;
      case TCliStepKind::Page:
        Page(Find(step.Target));
        break;
      case TCliStepKind::Print:
        Print(Find(step.Target));
        break;
      case TCliStepKind::Paste:
        platform_.Clipboard = !step.Text.empty() && step.Text[0] == '@'
                                  ? ReadWholeFile(step.Text.substr(1))
                                  : step.Text;
        break;
      case TCliStepKind::Copied:
        out_ << platform_.Clipboard;
        if (!platform_.Clipboard.empty() && platform_.Clipboard.back() != '\n') out_ << '\n';
        break;
      case TCliStepKind::Open:
        platform_.FileAnswers.push_back(step.Text);
        break;
      case TCliStepKind::Font: {
        TFontSpec font;
        font.Name = step.FontName;
        font.Size = step.FontSize;
        platform_.FontAnswers.push_back(font);
        break;
      }
      case TCliStepKind::Export:
        status_ = Export(Find(step.Target), step.Text);
        break;
    }
    return step.Words;
  }

 private:
  struct TTarget {
    std::string Spec;  // the words that named it
    TForm* Form = nullptr;
    TComponent* Component = nullptr;
    std::optional<std::pair<int, int>> Cell;  // a grid cell NAME[COL,ROW]
  };

  // The window, control and cell a parsed target names.
  TTarget Find(const TCliTarget& parsed) {
    TForm* const windows[] = {&form_, &form_.FormWiz, &form_.FormWiz2};
    TTarget target;
    target.Spec = parsed.Spec;
    target.Form = windows[parsed.Window];
    target.Cell = parsed.Cell;
    const std::string& name = parsed.Name;
    target.Component = target.Form->FindComponent(name);
    if (target.Component == nullptr && SameText(name, target.Form->Name())) {
      target.Component = target.Form;
    }
    if (target.Component == nullptr) throw TUsageError("unknown control '" + parsed.Spec + "'");
    if (target.Cell) {
      auto* grid = dynamic_cast<TStringGrid*>(target.Component);
      if (grid == nullptr) throw TUsageError("'" + name + "' is not a grid");
      const auto [col, row] = *target.Cell;
      if (col < 0 || row < 0 || col >= grid->ColCount() || row >= grid->RowCount()) {
        throw TUsageError("no cell " + std::to_string(col) + "," + std::to_string(row) + " in '" +
                          name + "'");
      }
    }
    return target;
  }

  // A user reaches a dialog's controls by opening the dialog first.
  void OpenDialogOf(const TTarget& target) {
    if (target.Form != &form_ && !target.Form->Visible()) {
      form_.RunHandler([&] {
        target.Form->Show();
        target.Form->BringToFront();
      });
    }
  }

  static void RequireChangeable(const TControl& control, const std::string& spec) {
    if (!control.EffectivelyEnabled()) {
      throw TUsageError("'" + spec + "' is disabled: the user cannot change it now");
    }
  }

  void Set(const TTarget& target, const std::string& text) {
    const std::string& spec = target.Spec;
    OpenDialogOf(target);
    auto* control = dynamic_cast<TControl*>(target.Component);
    if (control == nullptr) throw TUsageError("'" + spec + "' cannot be set");
    RequireChangeable(*control, spec);

    if (target.Cell) {
      auto* grid = static_cast<TStringGrid*>(control);
      // Named, not a structured binding: clang 14 (the fuzz build) cannot capture those.
      const int col = target.Cell->first;
      const int row = target.Cell->second;
      if (col < grid->FixedCols || row < grid->FixedRows) {
        throw TUsageError("'" + spec + "' is a heading cell");
      }
      form_.RunHandler([&] { grid->SetCell(col, row, text); });
      return;
    }
    if (auto* edit = dynamic_cast<TEdit*>(control)) {
      if (edit->ReadOnly) throw TUsageError("'" + spec + "' is an output field");
      form_.RunHandler([&] { edit->SetText(text); });
    } else if (auto* combo = dynamic_cast<TComboBox*>(control)) {
      form_.RunHandler([&] { combo->SetText(text); });
    } else if (auto* spin = dynamic_cast<TSpinEdit*>(control)) {
      form_.RunHandler([&] { spin->SetText(text); });
    } else if (auto* check = dynamic_cast<TCheckBox*>(control)) {
      const std::string word = LowerCase(Trim(text));
      bool value = false;
      if (word == "on" || word == "true" || word == "1" || word == "checked" || word == "yes") {
        value = true;
      } else if (word != "off" && word != "false" && word != "0" && word != "unchecked" &&
                 word != "no") {
        throw TUsageError("a check box is set on or off: '" + spec + "=" + text + "'");
      }
      form_.RunHandler([&] { check->SetChecked(value); });
    } else if (auto* radio = dynamic_cast<TRadioGroup*>(control)) {
      SetRadio(*radio, spec, text);
    } else if (auto* date = dynamic_cast<TDateTimePicker*>(control)) {
      int y = 0, m = 0, d = 0;
      char dash1 = 0, dash2 = 0;
      std::istringstream in(text);
      std::optional<int> day;
      if (in >> y >> dash1 >> m >> dash2 >> d && dash1 == '-' && dash2 == '-' && in.eof()) {
        day = EncodeDate(y, m, d);
      }
      if (!day) throw TUsageError("a date is written YYYY-MM-DD: '" + spec + "=" + text + "'");
      form_.RunHandler([&] { date->SetDate(*day); });
    } else {
      throw TUsageError("'" + spec + "' cannot be set (" + control->ClassName() + ")");
    }
  }

  void SetRadio(TRadioGroup& radio, const std::string& spec, const std::string& text) {
    const std::vector<std::string>& items = radio.Items();
    int index = -2;
    for (std::size_t i = 0; i < items.size() && index == -2; ++i) {
      if (items[i] == text) index = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < items.size() && index == -2; ++i) {
      if (SameText(items[i], text)) index = static_cast<int>(i);
    }
    if (index == -2) {
      const std::optional<int> number = TryStrToInt(Trim(text));
      if (number && *number >= -1 && *number < static_cast<int>(items.size())) index = *number;
    }
    if (index == -2) {
      throw TUsageError("'" + text + "' is not an item of '" + spec + "'");
    }
    form_.RunHandler([&] { radio.SetItemIndex(index); });
  }

  void Click(const TTarget& target) {
    const std::string& spec = target.Spec;
    OpenDialogOf(target);
    auto* control = dynamic_cast<TControl*>(target.Component);
    if (control == nullptr || target.Cell) throw TUsageError("'" + spec + "' cannot be clicked");
    RequireChangeable(*control, spec);
    if (auto* button = dynamic_cast<TButton*>(control)) {
      form_.RunHandler([&] { button->Click(); });
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(control)) {
      form_.RunHandler([&] { speed->Click(); });
    } else if (auto* check = dynamic_cast<TCheckBox*>(control)) {
      form_.RunHandler([&] { check->Click(); });
    } else {
      throw TUsageError("'" + spec + "' cannot be clicked (" + control->ClassName() + ")");
    }
  }

  void Page(const TTarget& target) {
    const std::string& spec = target.Spec;
    auto* page = dynamic_cast<TTabSheet*>(target.Component);
    if (page == nullptr || target.Cell) throw TUsageError("'" + spec + "' is not a page");
    OpenDialogOf(target);
    // The outermost page control first, so each handler sees its parents in view.
    std::vector<TTabSheet*> chain;
    for (TControl* c = page; c != nullptr; c = c->Parent()) {
      if (auto* sheet = dynamic_cast<TTabSheet*>(c)) chain.insert(chain.begin(), sheet);
    }
    for (TTabSheet* sheet : chain) {
      form_.RunHandler([&] { sheet->PageControl()->SetActivePage(sheet); });
    }
  }

  void Print(const TTarget& target) {
    const std::string& spec = target.Spec;
    TComponent* c = target.Component;
    if (target.Cell) {
      out_ << static_cast<TStringGrid*>(c)->Cell(target.Cell->first, target.Cell->second) << '\n';
    } else if (auto* pane = dynamic_cast<TRichEdit*>(c)) {
      for (const std::string& line : pane->Lines()) out_ << line << '\n';
    } else if (auto* edit = dynamic_cast<TEdit*>(c)) {
      out_ << edit->Text() << '\n';
    } else if (auto* combo = dynamic_cast<TComboBox*>(c)) {
      out_ << combo->Text() << '\n';
    } else if (auto* spin = dynamic_cast<TSpinEdit*>(c)) {
      out_ << spin->Text() << '\n';
    } else if (auto* label = dynamic_cast<TLabel*>(c)) {
      out_ << label->Caption() << '\n';
    } else if (auto* check = dynamic_cast<TCheckBox*>(c)) {
      out_ << (check->Checked() ? "on" : "off") << '\n';
    } else if (auto* radio = dynamic_cast<TRadioGroup*>(c)) {
      const int index = radio->ItemIndex();
      out_ << (index >= 0 ? radio->Items()[static_cast<std::size_t>(index)] : std::string())
           << '\n';
    } else if (auto* date = dynamic_cast<TDateTimePicker*>(c)) {
      const TCalendarDate d = DecodeDate(date->Date());
      char text[16];
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
      out_ << text << '\n';
    } else if (auto* grid = dynamic_cast<TStringGrid*>(c)) {
      for (int row = 0; row < grid->RowCount(); ++row) {
        for (int col = 0; col < grid->ColCount(); ++col) {
          if (col > 0) out_ << '\t';
          out_ << grid->Cell(col, row);
        }
        out_ << '\n';
      }
    } else if (auto* chart = dynamic_cast<TChart*>(c)) {
      PrintChart(chart->Data(), out_);
    } else if (auto* pages = dynamic_cast<TPageControl*>(c)) {
      out_ << (pages->ActivePage() != nullptr ? pages->ActivePage()->Name() : std::string())
           << '\n';
    } else if (auto* sheet = dynamic_cast<TTabSheet*>(c)) {
      out_ << sheet->Caption << '\n';
    } else if (auto* button = dynamic_cast<TButton*>(c)) {
      out_ << button->Caption << '\n';
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(c)) {
      out_ << speed->Caption << '\n';
    } else if (auto* group = dynamic_cast<TGroupBox*>(c)) {
      out_ << group->Caption << '\n';
    } else if (auto* window = dynamic_cast<TForm*>(c)) {
      out_ << window->Caption << '\n';
    } else {
      throw TUsageError("'" + spec + "' has nothing to print");
    }
  }

  // Writes the export kept for a control to path, as its Export... button would; returns
  // TExports::Write's status.
  int Export(const TTarget& target, const std::string& path) {
    if (target.Cell) throw TUsageError("a grid cell cannot be exported: '" + target.Spec + "'");
    int status = 0;
    form_.RunHandler(
        [&] { status = form_.Exports.Write(*target.Component, path, form_.Platform); });
    return status;
  }

  TFormPersonal& form_;
  TScriptedPlatform& platform_;
  std::ostream& out_;
  int status_ = 0;
};

}  // namespace

std::string CliUsage() {
  return R"(Usage: valquor-cli [--settings-dir DIR] [--save] [STEP ...]

Runs Valquor's main window without a display: its start-up, then the steps in order, then its
shut-down. Settings are read from the settings folder ($XDG_CONFIG_HOME/valquor, else
~/.config/valquor; --settings-dir DIR replaces it) and written back only with --save.

Steps:
  NAME=TEXT       set a control as a user would: edit or list text; check box on/off;
                  radio group item text or index; spin edit value; date picker YYYY-MM-DD;
                  a grid cell NAME[COL,ROW]=TEXT; a dialog's control FormWiz.NAME=TEXT or
                  FormWiz2.NAME=TEXT
  click NAME      press a button, or toggle a check box, firing its handlers
                  (FormWiz2.OKBtn for a dialog's)
  page NAME       bring a page into view, with the pages that hold it (TabPricing, TabDelta,
                  TabAnalysis, TabGraph, TabCalc, TabProb, TabPL, TabSheet2 ...)
  print NAME      print a pane's lines, or a control's text, caption or value, to standard
                  output (check boxes print on/off, radio groups their item, grids their cells
                  separated by tabs, charts one tab-separated row per fact: "axes", X and Y
                  titles; "series", name, line or points, count; "point", series, x, y;
                  "mark", xline or yline, style, label, value)
  paste TEXT      put TEXT on the clipboard; paste @FILE puts a file's text there
  copied          print the clipboard's text
  open FILE       the answer the next file open or save dialog gets (with none queued the
                  dialog is cancelled)
  font NAME:SIZE  the answer the next font dialog gets
  export NAME FILE
                  write the report of pane NAME to FILE as a CSV file, as its Export...
                  button does (RichEdit1, RichEdit2, RichEdit3, RichEdit8, RichEdit10,
                  RichEdit4, RichEdit9, RichEdit6, FormWiz2.RichEdit1 ...), or the table
                  of a grid or chart (GraphChart, EstimatorsGrid, ConeGrid, MoveOddsGrid,
                  HVCloseChart, HVChart, SmileChart ...); with nothing
                  to export (exit status 2) or a file that cannot be written (1) the later
                  steps do not run, the shut-down (and --save) still does

Each message box is written to standard error as one line "message: TEXT", in the order shown;
as in the window, one action (a click, a change, a page) shows a text once and at most five
different texts, then "N more messages of this action were not shown". A computation that
fails shows its message and the next step runs. An unknown control or step, or a control the
user could not change at that moment (disabled), is an error: exit status 2.
When standard error is a terminal, work that takes over a second shows a line
"Computing... N %" there, cleared at its end. VALQUOR_THREADS=N sets the number of workers
that value options (default: the hardware's thread count).
Setting or clicking a dialog's control opens the dialog first, as its button would.
With --save, a settings file that could not be written gives exit status 1, after its message.

Options:
  --settings-dir DIR  the folder of the settings files
  --save              write the settings back at the end (the window's shut-down)
  --help              this text
  --version           the program's name and version
)";
}

int RunCliSteps(TFormPersonal& form, TScriptedPlatform& platform,
                const std::vector<std::string>& args, std::size_t first, std::ostream& out) {
  TDriver driver(form, platform, out);
  for (std::size_t i = first; i < args.size() && driver.Status() == 0;) i += driver.Step(args, i);
  return driver.Status();
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool progress) {
  TCliOptions options;
  try {
    options = ParseCliOptions(args);
  } catch (const TUsageError& e) {
    err << "valquor-cli: " << e.what() << '\n';
    return 2;
  }
  if (options.Help) {
    out << CliUsage();
    return 0;
  }
  if (options.Version) {
    out << "valquor-cli " << kValquorVersion << '\n';
    return 0;
  }
  const fs::path folder =
      options.SettingsFolder ? fs::path(*options.SettingsFolder) : DefaultSettingsFolder();
  const bool save = options.Save;
  const std::size_t i = options.FirstStep;

  try {
    std::optional<TScratchFolder> scratch;
    if (!save) scratch.emplace(folder);
    TScriptedPlatform platform;
    platform.Folder = save ? folder : scratch->Path();
    platform.TodayValue = LocalToday();
    platform.Mark = LocaleDecimalMark();
    // A settings file that could not be written makes a --save run fail, after its messages.
    const std::vector<fs::path> settingsFiles = SettingsFiles(platform.Folder);
    bool saveFailed = false;
    platform.OnMessage = [&](const std::string& text) {
      err << "message: " << text << '\n';
      err.flush();
      constexpr std::string_view kUnwritable = "Unable to write to ";
      if (text.rfind(kUnwritable, 0) != 0) return;
      const fs::path named = fs::path(text.substr(kUnwritable.size())).lexically_normal();
      for (const fs::path& file : settingsFiles) {
        saveFailed = saveFailed || named == file.lexically_normal();
      }
    };

    TFormPersonal form(platform);
    std::optional<TCliProgressRunner> progressRunner;
    if (progress) {
      progressRunner.emplace(err);
      form.SetCommandRunner(&*progressRunner);
    }
    form.RunHandler([&] { form.Show(); });
    form.RunHandler([&] { form.Activate(); });
    int status = 0;
    try {
      status = RunCliSteps(form, platform, args, i, out);
    } catch (const TUsageError& e) {
      out.flush();
      err << "valquor-cli: " << e.what() << '\n';
      return 2;
    }
    // A failed export ends the steps, not the run: the shut-down (and --save) still happen.
    form.RunHandler([&] { form.Close(); });
    form.SetCommandRunner(nullptr);
    out.flush();
    // An export that failed gives its status; otherwise a --save that could not write, 1.
    if (status != 0) return status;
    return save && saveFailed ? 1 : 0;
  } catch (const std::exception& e) {
    err << "valquor-cli: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace valquor
