#include "reports/Probabilities.h"

#include <cmath>

#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "models/Single.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

// The change of a row right-aligned in six characters, with "+" written over the blank before
// the digits of a rise (over the fourth character for the 1-percent rows).
std::string ChangeLabel(int change, bool wide) {
  std::string label = PadLeft(std::to_string(change), 6);
  if (change > 0) {
    const std::size_t plus = !wide ? 3 : change >= 100 ? 2 : change >= 10 ? 3 : 4;
    label[plus] = '+';
  }
  return label;
}

}  // namespace

std::uint64_t ProbabilitiesUnits(const TProbabilitiesRequest& /*request*/) { return 1; }

TProbabilitiesResult ComputeProbabilities(const TProbabilitiesRequest& request,
                                          TComputeContext& context) {
  TProbabilitiesResult result;
  if (request.Days <= 0) {
    context.Control().Finish();
    return result;
  }
  if (!(request.Forward > 0)) {
    context.Messages().ShowMessage("Forward must be > 0", TMessageKind::Error);
    throw EAbandoned();
  }
  result.Written = true;
  result.SigmaPercent = ToSingle(std::sqrt(static_cast<double>(request.Days)) *
                                     request.TrueVolatility / detail::SqrtTradingYear(),
                                 "sigma");
  result.Sigma = static_cast<float>(0.01 * result.SigmaPercent);

  const int rowStep = request.Wide ? 5 : 1;
  const int top = request.Wide ? 40 : 10;
  const int bottom = request.Wide ? -20 : -10;
  for (int n = top; n >= bottom; --n) {
    TProbabilityRow row;
    row.Change = n * rowStep;
    row.Level = ToSingle((1 + 0.01 * row.Change) * request.Forward, "price level");
    const float z = result.SigmaPercent > 0
                        ? static_cast<float>(row.Change / double{result.SigmaPercent})
                        : 0.0f;
    const double below = NormalCdf(z);
    const double lognormalBelow = detail::ChanceBelow(row.Level, request.Forward, result.Sigma);
    row.Normal = row.Change >= 0 ? 100 - 100 * below : 100 * below;
    row.Lognormal = row.Change >= 0 ? 100 - 100 * lognormalBelow : 100 * lognormalBelow;
    row.Medium = (row.Normal + row.Lognormal) / 2;
    result.Rows.push_back(row);
  }
  context.Control().Finish();
  return result;
}

std::vector<std::string> RenderProbabilities(const TProbabilitiesRequest& request,
                                             const TProbabilitiesResult& result) {
  std::vector<std::string> lines;
  lines.emplace_back(" Probabilities based on normal/lognormal distribution");
  lines.push_back(" Volatility = " + FormatFixed(request.TrueVolatility, 1) +
                  "%   Trading days to expiration = " + request.DaysText);
  lines.push_back(
      " Sigma (standard deviation) for " + request.DaysText +
      " days = " + FormatFixed(double{result.Sigma} * request.Forward, 1) + " (1 days sigma = " +
      FormatFixed(0.01 * request.Forward * request.TrueVolatility / detail::SqrtTradingYear(), 1) +
      ")");
  lines.emplace_back();
  lines.emplace_back("   Change     Forward                 Distribution");
  lines.emplace_back("                            Normal       Medium      Lognormal");
  for (const TProbabilityRow& row : result.Rows) {
    // The row of no change stands between two empty lines.
    if (row.Change == 0) lines.emplace_back();
    lines.push_back((row.Change >= 0 ? " >" : " <") + ChangeLabel(row.Change, request.Wide) +
                    "%    " + FormatFixed(row.Level, 2, 8) + "        " +
                    FormatFixed(row.Normal, 1, 4) + "%" + "        " +
                    FormatFixed(row.Medium, 1, 4) + "%        " + FormatFixed(row.Lognormal, 1, 4) +
                    "%");
    if (row.Change == 0) lines.emplace_back();
  }
  return lines;
}

TCsvTable ProbabilitiesCsv(const TProbabilitiesResult& result) {
  TCsvTable table;
  table.Header = {"Change %", "Forward", "Normal %", "Medium %", "Lognormal %"};
  for (const TProbabilityRow& row : result.Rows) {
    table.Rows.push_back(
        {CsvInteger(row.Change), CsvNumber(row.Level), CsvNumber(static_cast<float>(row.Normal)),
         CsvNumber(static_cast<float>(row.Medium)), CsvNumber(static_cast<float>(row.Lognormal))});
  }
  return table;
}

}  // namespace valquor
