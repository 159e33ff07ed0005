// The "HV using daily data" tab: a price file or the clipboard into Prices1, then its report.

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "models/Numbers.h"
#include "volatility/HistoricalVolatility.h"
#include "volatility/VolatilityPages.h"

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
  if (Prices1.Status != kPricesLoaded && Prices1.Status != kPricesOpenOutside) {
    form_.RichEdit4.Add(path);
    form_.RichEdit4.Add("Could not open file " + std::to_string(Prices1.Status));
    return;
  }
  bool outOfRange = false;
  const std::vector<std::string> lines = FileReportLines(Prices1, outOfRange);
  form_.RichEdit4.Clear();
  for (const std::string& line : lines) form_.RichEdit4.Add(line);
  if (outOfRange) platform_.ShowMessage(kVolatilityRangeMessage, TMessageKind::Warning);
}

void TVolatilityPages::ReadClipboardPrices() {
  TRichEdit& pane = form_.RichEdit4;
  const auto couldNotRead = [&pane] { pane.Add("Could not read data in clipboard"); };
  try {
    pane.Clear();
    form_.RichEdit5.Clear();
    form_.RichEdit5.SetText(platform_.ClipboardText());
    const std::vector<std::string>& lines = form_.RichEdit5.Lines();
    if (lines.size() < 4) {
      pane.Add("Unsufficient data in clipboard");
      return;
    }
    // The line visited first is index 1, the oldest close: unchecked, the clipboard's first
    // line is the newest close and the lines are visited from the last; checked, from the first.
    const bool fromFirstLine = form_.LatestFirst.Checked();
    const auto usable = [](const std::string& line) { return line.size() > 1; };
    const std::size_t closes =
        static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), usable));
    std::size_t skip = closes > kMaxPrices ? closes - kMaxPrices : 0;
    if (skip > 0) {
      platform_.ShowMessage("The clipboard holds " + std::to_string(closes) +
                                " closes: only the newest " + std::to_string(kMaxPrices) +
                                " were read",
                            TMessageKind::Warning);
    }
    int r = 0;
    for (std::size_t visited = 0; visited < lines.size() && r < kMaxPrices; ++visited) {
      const std::string& line = lines[fromFirstLine ? visited : lines.size() - 1 - visited];
      if (!usable(line)) continue;
      if (skip > 0) {
        --skip;
        continue;
      }
      const std::string_view kept = std::string_view(line).substr(0, kMaxPriceLineLength);
      ++r;
      Prices1.Close[static_cast<std::size_t>(r)] = ParseNumber(CloseToken(kept), platform_);
      Prices1.Count = r;
    }
    if (r == 0) {
      couldNotRead();
      return;
    }
    bool outOfRange = false;
    for (const std::string& line : ClipboardReportLines(Prices1, outOfRange)) pane.Add(line);
    if (outOfRange) platform_.ShowMessage(kVolatilityRangeMessage, TMessageKind::Warning);
  } catch (const std::exception&) {
    couldNotRead();
  }
}

}  // namespace valquor
