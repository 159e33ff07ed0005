#include <array>
#include <cmath>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "shell/PricingReports.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

// Changes below this magnitude make no line: there is nothing to divide by.
constexpr double kTinyChange = 0.0001;

// Price changes in units of one percent of the strike; the delta line is the small step.
constexpr double kDeltaStep = 0.01;
constexpr std::array<double, 11> kPriceSteps = {10, 6, 4, 2, 1, kDeltaStep, -1, -2, -4, -6, -10};
constexpr std::array<int, 10> kDecayDays = {1, 2, 5, 10, 15, 20, 30, 40, 50, 60};
constexpr std::array<float, 5> kVolatilityChanges = {10, 5, 1, -5, -10};

std::string ChangeLine(double change, double percent) {
  return "  " + FormatFixed(change, 2, 8) + ":        " + FormatFixed(percent, 0, 4) + "%";
}

}  // namespace

void TPricingReports::DeltaReport() {
  const int code = PositionCode();
  const float strike = ParseNumber(form_.StrikeEdit.Text(), platform_);
  const float price = ParseNumber(form_.PriceEdit.Text(), platform_);
  const float volatility = ParseNumber(form_.VolEdit.Text(), platform_);

  TRichEdit& pane = form_.RichEdit2;
  pane.Clear();
  pane.Add(" Strike = " + form_.StrikeEdit.Text() + "    Price = " + form_.PriceEdit.Text() +
           "   Vol = " + form_.VolEdit.Text() + "    Days to expiration = " + form_.Days1.Text());
  const int days = StrToInt(form_.Days1.Text());
  if (days < 0) {
    // Days to expiration cannot lie in the past; one message instead of one per valuation.
    platform_.ShowMessage("Trading days to expiration must be >= 0", TMessageKind::Error);
    return;
  }

  const auto value = [&](int atDays, float atPrice, float atVolatility) {
    float first = 0;
    float second = 0;
    return PositionValue(atDays, code, strike, atPrice, atVolatility, first, second);
  };
  float first = 0;
  float second = 0;
  const float v0 = PositionValue(days, code, strike, price, volatility, first, second);
  const float premium = static_cast<float>((double{first} + second) / 2);
  const float unit = detail::ToSingle(0.01 * strike, "strike");

  std::vector<std::string> lines;
  lines.push_back(" " + form_.PositionName.Text() + " premium =" + FormatFixed(premium, 2, 6));
  lines.emplace_back();
  lines.emplace_back(" Price change   Premium change");
  for (const double step : kPriceSteps) {
    const float change = detail::ToSingle(step * unit, "price change");
    if (std::fabs(change) < kTinyChange) {
      lines.emplace_back();
      continue;
    }
    const float v1 = value(days, detail::ToSingle(double{price} + change, "price"), volatility);
    const double percent = (double{v1} - v0) * 100 / std::fabs(change);
    std::string line = ChangeLine(change, percent);
    if (step == kDeltaStep) line += "   Delta = " + FormatFixed(percent / 100, 2);
    lines.push_back(line);
  }

  // The value after n days have passed, for every n the days allow.
  std::array<float, kDecayDays.size()> decayed{};
  for (std::size_t i = 0; i < kDecayDays.size() && kDecayDays[i] <= days; ++i) {
    if (std::fabs(premium) >= kTinyChange || std::fabs(unit) >= kTinyChange) {
      decayed[i] = value(days - kDecayDays[i], price, volatility);
    }
  }
  lines.emplace_back();
  lines.emplace_back("     Days     Timevalue decay (value)");
  for (std::size_t i = 0; i < kDecayDays.size() && kDecayDays[i] <= days; ++i) {
    lines.push_back(std::fabs(premium) < kTinyChange
                        ? std::string()
                        : "      " + FormatFixed(kDecayDays[i], 0, 2) + "         " +
                              FormatFixed(double{decayed[i]} - v0, 2, 7));
  }
  lines.emplace_back();
  lines.push_back("     Days     Timevalue decay (percent of " + FormatFixed(unit, 2) + ")");
  lines.emplace_back(" (timevalue decay as percent of a small positive change)");
  for (std::size_t i = 0; i < kDecayDays.size() && kDecayDays[i] <= days; ++i) {
    lines.push_back(std::fabs(unit) < kTinyChange
                        ? std::string()
                        : "      " + FormatFixed(kDecayDays[i], 0, 2) + "          " +
                              FormatFixed((double{decayed[i]} - v0) * 100 / std::fabs(unit), 0, 5) +
                              "%");
  }
  lines.emplace_back();
  lines.emplace_back("         Volatility");
  lines.emplace_back("  Vol change    Premium change");
  for (const float change : kVolatilityChanges) {
    const float v1 = value(days, price, volatility + change);
    const double percent = v0 > 0 ? (double{v1} - v0) * 100 / v0 : 0;
    lines.push_back(ChangeLine(change, percent));
  }

  for (std::string& line : lines) pane.Add(std::move(line));
}

}  // namespace valquor
