// The "HV using daily data" tab: a price file or the clipboard into Prices1, then its report.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "models/Numbers.h"
#include "shell/VolatilityPages.h"
#include "volatility/HistoricalVolatility.h"

namespace valquor {
namespace {

constexpr const char* kFilesSection = "Files";

// The folder of a chosen file, without a trailing separator except for the root.
std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

// The close of a clipboard line: the text before the first blank, else before the first ";",
// else the whole line.
std::string_view CloseToken(std::string_view line) {
  std::size_t end = line.find(' ');
  if (end == std::string_view::npos) end = line.find(';');
  return end == std::string_view::npos ? line : line.substr(0, end);
}

// Computes the report of a snapshot of the series and writes it into RichEdit4.
TCommand HistoricalReportCommand(THistoricalSource source, const TPriceSeries& prices,
                                 TRichEdit& pane, TExports& exports) {
  THistoricalVolatilityRequest request{source, std::make_shared<const TPriceSeries>(prices)};
  return OneStageCommand(
      std::move(request), ComputeHistoricalVolatility,
      [&pane, &exports](const THistoricalVolatilityRequest& request,
                        const THistoricalVolatilityResult& result) {
        std::vector<std::string> lines = RenderHistoricalVolatility(request, result);
        detail::ReplaceLines(pane, lines);
        exports.Set(pane, HistoricalVolatilityCsv(request, result), "historical-volatility.csv");
      });
}

}  // namespace

void TVolatilityPages::FileBtnClick() {
  TIniProfile settings(SystemFolderFile(platform_), SettingsLockFile(platform_));
  TFileDialogRequest request;
  request.Filter = "Textfiles|*.txt|All files|*.*";
  request.InitialDir = settings.ReadString(kFilesSection, "Directory", "c:\\");
  request.FileName = settings.ReadString(kFilesSection, "LastFile", "");
  if (request.FileName.empty()) request.InitialDir = ProgramFolder(platform_).string();
  const std::optional<std::string> chosen = platform_.OpenFileDialog(request);
  if (!chosen) return;
  settings.BeginUpdate();
  settings.WriteString(kFilesSection, "Directory", FolderOf(*chosen));
  settings.WriteString(kFilesSection, "LastFile", *chosen);
  settings.EndUpdate();
  ReadPriceFile(*chosen);
}

void TVolatilityPages::ReadPriceFile(const std::string& path) {
  Prices1.LoadFromFile(path);
  LastRead.reset();
  if (Prices1.Status != kPricesLoaded && Prices1.Status != kPricesOpenOutside) {
    form_.RichEdit4.Add(path);
    form_.RichEdit4.Add("Could not open file " + std::to_string(Prices1.Status));
    return;
  }
  // Every volatility divides by the newest close.
  if (!(Prices1.Close[static_cast<std::size_t>(Prices1.Count)] > 0)) {
    platform_.ShowMessage(kLastCloseMessage, TMessageKind::Error);
    return;
  }
  LastRead = THistoricalSource::File;
  run_(HistoricalReportCommand(THistoricalSource::File, Prices1, form_.RichEdit4, exports_));
}

void TVolatilityPages::ReadClipboardPrices() {
  TRichEdit& pane = form_.RichEdit4;
  const auto say = [&pane](const char* line) {
    pane.Clear();
    pane.Add(line);
  };
  try {
    form_.RichEdit5.Clear();
    form_.RichEdit5.SetText(platform_.ClipboardText());
    const std::vector<std::string>& lines = form_.RichEdit5.Lines();
    if (lines.size() < 4) {
      say("Unsufficient data in clipboard");
      return;
    }
    // The line visited first is index 1, the oldest close: unchecked, the clipboard's first
    // line is the newest close and the lines are visited from the last; checked, from the first.
    const bool fromFirstLine = form_.LatestFirst.Checked();
    std::vector<float> closes;  // oldest first
    bool refused = false;
    for (std::size_t visited = 0; visited < lines.size(); ++visited) {
      const std::string& line = lines[fromFirstLine ? visited : lines.size() - 1 - visited];
      const std::string text = Trim(std::string_view(line).substr(0, kMaxPriceLineLength));
      if (text.empty()) continue;
      const std::string_view token = CloseToken(text);
      const std::optional<float> close = TryParseNumber(token, platform_.DecimalMark());
      if (!close) {
        (void)ParseNumber(token, platform_);  // shows the message; the line is no close
        continue;
      }
      if (!(*close > 0)) {
        if (!refused) platform_.ShowMessage(kCloseRefusedMessage, TMessageKind::Warning);
        refused = true;
        continue;
      }
      closes.push_back(*close);
    }
    const std::size_t capacity = kMaxPrices;
    std::size_t skip = 0;
    if (closes.size() > capacity) {
      skip = closes.size() - capacity;
      platform_.ShowMessage("The clipboard holds " + std::to_string(closes.size()) +
                                " closes: only the newest " + std::to_string(kMaxPrices) +
                                " were read",
                            TMessageKind::Warning);
    }
    if (closes.empty()) {
      say("Could not read data in clipboard");
      return;
    }
    int r = 0;
    for (std::size_t i = skip; i < closes.size(); ++i) {
      ++r;
      Prices1.Close[static_cast<std::size_t>(r)] = closes[i];
    }
    Prices1.Count = r;
    LastRead = THistoricalSource::Clipboard;
  } catch (const std::exception&) {
    say("Could not read data in clipboard");
    return;
  }
  run_(HistoricalReportCommand(THistoricalSource::Clipboard, Prices1, pane, exports_));
}

}  // namespace valquor
