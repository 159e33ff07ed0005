#include <cmath>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "shell/PricingReports.h"
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

void TPricingReports::ProbabilitiesReport() {
  const int days = StrToInt(form_.CalcDays.Text());
  if (days <= 0) return;
  const TReportInputs& in = panel_.Inputs;
  RequirePositiveForward(in.Forward);

  const double sqrtYear = std::sqrt(260.0);
  const float sigmaPercent = detail::ToSingle(
      std::sqrt(static_cast<double>(days)) * in.TrueVolatility / sqrtYear, "sigma");
  const float sigma = static_cast<float>(0.01 * sigmaPercent);
  const std::string& daysText = form_.CalcDays.Text();

  std::vector<std::string> lines;
  lines.emplace_back(" Probabilities based on normal/lognormal distribution");
  lines.push_back(" Volatility = " + FormatFixed(in.TrueVolatility, 1) +
                  "%   Trading days to expiration = " + daysText);
  lines.push_back(" Sigma (standard deviation) for " + daysText +
                  " days = " + FormatFixed(double{sigma} * in.Forward, 1) + " (1 days sigma = " +
                  FormatFixed(0.01 * in.Forward * in.TrueVolatility / sqrtYear, 1) + ")");
  lines.emplace_back();
  lines.emplace_back("   Change     Forward                 Distribution");
  lines.emplace_back("                            Normal       Medium      Lognormal");

  const bool wide = form_.MoreInt.Checked();
  const int rowStep = wide ? 5 : 1;
  const int top = wide ? 40 : 10;
  const int bottom = wide ? -20 : -10;
  for (int n = top; n >= bottom; --n) {
    const int change = n * rowStep;
    if (n == 0) lines.emplace_back();
    const float level = detail::ToSingle((1 + 0.01 * change) * in.Forward, "price level");
    const float z = sigmaPercent > 0 ? static_cast<float>(change / double{sigmaPercent}) : 0.0f;
    const double below = NormalCdf(z);
    const double lognormalBelow = detail::ChanceBelow(level, in.Forward, sigma);
    const double normal = change >= 0 ? 100 - 100 * below : 100 * below;
    const double lognormal = change >= 0 ? 100 - 100 * lognormalBelow : 100 * lognormalBelow;
    const double medium = (normal + lognormal) / 2;
    lines.push_back((change >= 0 ? " >" : " <") + ChangeLabel(change, wide) + "%    " +
                    FormatFixed(level, 2, 8) + "        " + FormatFixed(normal, 1, 4) + "%" +
                    "        " + FormatFixed(medium, 1, 4) + "%        " +
                    FormatFixed(lognormal, 1, 4) + "%");
    if (n == 0) lines.emplace_back();
  }

  detail::ReplaceLines(form_.RichEdit8, lines);
}

}  // namespace valquor
