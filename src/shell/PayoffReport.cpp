#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "models/Format.h"
#include "models/Numbers.h"
#include "shell/PricingReports.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

// The analysis looks at most this many trading days ahead (about five months).
constexpr int kLongestHorizon = 110;

// Calendar spreads, whose far leg keeps its time value in the values table.
enum class TCalendar { None, Call, CallCredit, Put };

TCalendar CalendarKind(int code) {
  if (code >= 7 && code <= 9) return TCalendar::Call;
  if (code >= 10 && code <= 12) return TCalendar::CallCredit;
  if (code >= 13 && code <= 15) return TCalendar::Put;
  return TCalendar::None;
}

std::uint8_t AnalysisDistribution(const std::string& text) {
  if (text == "Normal distribution") return kNormalDistribution;
  if (text == "Lognormal distribution") return kLognormalDistribution;
  return kMediumDistribution;
}

// A cell of the P(gain) line: a chance as a whole percentage.
std::string ChanceCell(float chance) { return FormatDays(RoundToInt(chance * 100.0)) + "%"; }

}  // namespace

float TPricingReports::ColumnPremium(int days, int code) {
  const TReportInputs& in = panel_.Inputs;
  const float underlying = PriceIsInput() ? in.Price : dispatch_.PresentOf(days, true, in.Forward);
  float first = 0;
  float second = 0;
  return PositionValue(days, code, in.Strike, underlying, in.Volatility, first, second);
}

void TPricingReports::BuildPayoffValues(const PayoffStats& stats) {
  const int intervals = std::min(form_.NumberOfIntervals.Value(), kMaxPayoffIntervals);
  if (intervals < 1) return;  // no grid to value
  const int code = stats.PositionKind;
  const TCalendar calendar = CalendarKind(code);
  // The far leg lies 22, 44 or 66 days beyond the days being valued.
  const int farDays = calendar == TCalendar::None
                          ? 0
                          : detail::AddDays(stats.Days, PositionLegs(code)[0].ExtraDays);
  const int days = stats.Days;
  const float strike = stats.Strike;
  const float trueVolatility = stats.TrueVol;
  const float volatility = panel_.Inputs.Volatility;
  const float step = panel_.Inputs.StrikeStep;
  float first = 0;
  float second = 0;
  for (int k = 0; k <= intervals; ++k) {
    const float x = GridPrice(k, stats.Price, intervals);
    double value = 0;
    switch (calendar) {
      case TCalendar::Call:
        value = double{dispatch_.CallValue(farDays, first, strike, x, volatility, second)} -
                dispatch_.CallValue(days, first, strike, x, trueVolatility, second);
        break;
      case TCalendar::CallCredit:
        value = double{dispatch_.CallValue(farDays, first, strike, x + step, volatility, second)} -
                dispatch_.CallValue(days, first, strike, x, trueVolatility, second) - step;
        break;
      case TCalendar::Put:
        value = double{dispatch_.PutValue(farDays, first, strike, x, volatility, second)} -
                dispatch_.PutValue(days, first, strike, x, trueVolatility, second);
        break;
      case TCalendar::None:
        value = PositionValue(0, code, strike, x, trueVolatility, first, second);
        break;
    }
    payoffValues_[static_cast<std::size_t>(k)] = detail::ToSingle(value, "payoff value");
  }
}

void TPricingReports::PayoffAnalysisReport() {
  TReportInputs& in = panel_.Inputs;
  if (in.MaxDays > kLongestHorizon) {
    platform_.ShowMessage(
        "Payoff analysis becomes inaccurate when days to expiration is larger than 5 months. "
        "Reduce timespan.",
        TMessageKind::Warning);
    return;
  }
  in.StrikeStep = form_.Steps.Text().empty() ? 10.0f : ParseNumber(form_.Steps.Text(), platform_);
  const int code = PositionCode();

  // What the analysis cannot take is refused once, before anything is valued.
  const std::vector<std::string>& daySteps = form_.DaysCombo.Items();
  const auto listed = std::find(daySteps.begin(), daySteps.end(), form_.DaysCombo.Text());
  const int intervals = form_.NumberOfIntervals.Value();
  const char* refusal = nullptr;
  if (listed == daySteps.end()) {
    refusal = "Payoff analysis needs a day step from the list";
  } else if (!(in.TrueVolatility > 0)) {
    refusal = "True volatility must be > 0";
  } else if (intervals < 1 || intervals > kMaxPayoffIntervals) {
    refusal = "Number of intervals must be between 1 and 30000";
  } else if (!(in.Price > 0)) {
    refusal = "Price must be > 0";
  }
  if (refusal != nullptr) {
    platform_.ShowMessage(refusal, TMessageKind::Error);
    return;
  }
  const int dayStep = static_cast<int>(listed - daySteps.begin()) + 1;
  const bool forwardPerColumn = PriceIsInput();

  // The forward over the longest horizon and over each column's own days, rounded to cents as
  // the forward field shows them.
  const auto centsForward = [&](int days) {
    return ParseNumber(FormatFixed(dispatch_.ForwardOf(days, true, in.Price), 2), platform_);
  };
  const float forward = centsForward(in.MaxDays);
  std::array<int, kDayColumns> columnDays{};
  std::array<float, kDayColumns> columnForward{};
  for (int j = 0; j < kDayColumns; ++j) {
    columnDays[j] = panel_.DayColumn(dayStep, j + 1);
    columnForward[j] = forwardPerColumn ? centsForward(columnDays[j]) : forward;
    RequirePositiveForward(forwardPerColumn ? columnForward[j] : in.Forward);
  }

  PayoffStats stats{};
  stats.PositionKind = static_cast<std::uint8_t>(code);
  stats.Strike = in.Strike;
  stats.Price = in.Price;
  stats.Forward = in.Forward;
  stats.TrueVol = in.TrueVolatility;
  stats.CostPerTrade = in.CostPerTrade;

  // The values table depends on the days only for calendar spreads; it is built when first
  // needed and again only when the days it was built for change.
  std::optional<int> tableDays;
  const auto ensureTable = [&](int days) {
    if (tableDays && (*tableDays == days || CalendarKind(code) == TCalendar::None)) return;
    stats.Days = days;
    BuildPayoffValues(stats);
    tableDays = days;
  };

  const double adjustment = 1 + 0.002 * form_.Adjust.Value();
  const std::uint8_t distribution = AnalysisDistribution(form_.AnalysisFormula.Text());
  std::array<PayoffRow, kDayColumns> results{};
  for (int j = 0; j < kDayColumns; ++j) {
    const int days = columnDays[j];
    float premium = 0;
    if (dispatch_.FormulaKind == kFormulaBlackScholes ||
        dispatch_.FormulaKind == kFormulaBinomial) {
      premium = ColumnPremium(days, code);
    } else {
      float first = 0;
      float second = 0;
      premium =
          PositionValue(days, code, in.Strike, columnForward[j], in.Volatility, first, second);
    }
    stats.Row.EntryValue = detail::ToSingle(premium * adjustment, "premium");
    dispatch_.OptionInt1.Intervals = intervals;
    stats.Strike = in.Strike;
    stats.Forward = in.Forward;
    stats.TrueVol = in.TrueVolatility;
    if (forwardPerColumn) {
      stats.Forward = columnForward[j];
      ensureTable(days);
    } else {
      ensureTable(0);
    }
    stats.Days = days;
    dispatch_.OptionInt1.Distribution = distribution;
    if (!dispatch_.OptionInt1.AnalysePayoff(stats, payoffValues_)) return;
    PayoffRow& row = results[static_cast<std::size_t>(j)];
    row = stats.Row;
    row.Expected1 = static_cast<float>(double{row.GainChance1} * row.AvgGain1 +
                                       (1 - double{row.GainChance1}) * row.AvgLoss1);
    row.Expected2 = static_cast<float>(double{row.GainChance2} * row.AvgGain2 +
                                       (1 - double{row.GainChance2}) * row.AvgLoss2);
  }

  std::vector<std::string> lines;
  std::string heading =
      " " + form_.PositionName.Text() + " - " +
      PositionDescription(code, TPositionAxis::Forward, in.Strike, in.StrikeStep, in.Forward) +
      " Impl.volatility = " + form_.VolEdit.Text();
  heading += form_.MainForwardLock.Checked() ? "   Forward = " + form_.ForwardEdit.Text()
                                             : "   Price = " + form_.PriceEdit.Text();
  lines.push_back(heading);
  lines.push_back(std::string(26, ' ') + "Trading days to expiration");
  std::string days(7, ' ');
  for (const int d : columnDays) days.append(" ").append(FormatDays(d));
  lines.push_back(days);
  const std::string rule = detail::Rule(73);
  lines.push_back(rule);

  const auto statLine = [&](const char* label, float PayoffRow::*field,
                            std::string (*format)(float)) {
    std::string line = label;
    for (const PayoffRow& row : results) line += format(row.*field);
    return line;
  };
  lines.push_back(statLine(" Premium", &PayoffRow::EntryValue, FormatCell));
  lines.push_back(ImpliedLine(columnDays));
  lines.emplace_back();
  lines.push_back(" Analysis assuming " + form_.AnalysisFormula.Text() +
                  "         True volatility = " + form_.TrueVolEdit.Text());
  lines.push_back(rule);
  const std::string indent(8, ' ');
  lines.push_back(statLine(" Av.gain", &PayoffRow::AvgGain1, FormatStatCell));
  lines.push_back(statLine(indent.c_str(), &PayoffRow::AvgGain2, FormatStatCell));
  lines.push_back(statLine(" Av.loss", &PayoffRow::AvgLoss1, FormatStatCell));
  lines.push_back(statLine(indent.c_str(), &PayoffRow::AvgLoss2, FormatStatCell));
  lines.push_back(statLine(" P(gain)", &PayoffRow::GainChance1, ChanceCell));
  lines.push_back(statLine(indent.c_str(), &PayoffRow::GainChance2, ChanceCell));
  lines.push_back(statLine(" P&L    ", &PayoffRow::Expected1, FormatStatCell));
  lines.push_back(statLine(indent.c_str(), &PayoffRow::Expected2, FormatStatCell));
  lines.push_back(
      std::fabs(in.CostPerTrade) <= 0.0001
          ? " Cost per trade excluded"
          : std::string(" Total cost per trade = ").append(FormatFixed(in.CostPerTrade, 2)));

  detail::ReplaceLines(form_.RichEdit3, lines);
}

}  // namespace valquor
