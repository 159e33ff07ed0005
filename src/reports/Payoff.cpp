#include "reports/Payoff.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>

#include "models/ArithmeticFault.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "models/Single.h"
#include "reports/DaySteps.h"
#include "reports/PositionValue.h"
#include "reports/Positions.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

constexpr std::size_t kColumns = kDayColumns;

// Calendar spreads, whose far leg keeps its time value in the values table.
enum class TCalendar { None, Call, CallCredit, Put };

TCalendar CalendarKind(int code) {
  if (code >= 7 && code <= 9) return TCalendar::Call;
  if (code >= 10 && code <= 12) return TCalendar::CallCredit;
  if (code >= 13 && code <= 15) return TCalendar::Put;
  return TCalendar::None;
}

// On the strike axis without the forward lock the price is the input, and the forward follows
// each column's days.
bool ForwardPerColumn(const TPayoffRequest& request) {
  return request.StrikeAxis && !request.Locked;
}

// Calendar spreads valued on each column's forward need a values table per column; every other
// position is valued at expiration, the same table for every column.
bool TablePerColumn(const TPayoffRequest& request) {
  return CalendarKind(request.Code) != TCalendar::None && ForwardPerColumn(request);
}

// Whether the analysis goes ahead; otherwise the message that refuses it.
const char* Refusal(const TPayoffRequest& request) {
  if (request.DayStep == 0) return "Payoff analysis needs a day step from the list";
  if (!(request.Inputs.TrueVolatility > 0)) return "True volatility must be > 0";
  if (request.Intervals < 1 || request.Intervals > kMaxPayoffIntervals) {
    return "Number of intervals must be between 1 and 30000";
  }
  if (!(request.Inputs.Price > 0)) return "Price must be > 0";
  return nullptr;
}

// The rough cost of one valuation under terms, in steps of a tree's inner loop: what a unit of
// work is measured in.
double ValuationCost(const TValuationTerms& terms) {
  if (terms.Formula == kFormulaBinomial) {
    const double steps = std::clamp(terms.Steps, 1, 9999);
    return steps * (steps + 1) / 2 + 100;
  }
  if (terms.Integration()) return 60.0 * std::max(terms.Intervals, 1) + 100;
  return 200;
}

// Grid points per unit of work on the values table: a few milliseconds of work each, so that a
// stop request is seen soon and the workers share the table evenly. A calendar spread values two
// options per point at the column's days; other positions are valued at expiration, where a
// tree or a grid costs next to nothing.
std::size_t PointsPerBlock(const TPayoffRequest& request) {
  constexpr double kBudget = 4.0e6;
  constexpr std::size_t kLargest = 2048;
  const double pointCost =
      CalendarKind(request.Code) != TCalendar::None ? 2 * ValuationCost(request.Terms) + 200 : 1000;
  const double points = std::floor(kBudget / pointCost);
  return points < 1 ? 1 : std::min(kLargest, static_cast<std::size_t>(points));
}

std::size_t Blocks(const TPayoffRequest& request) {
  const std::size_t points = static_cast<std::size_t>(request.Intervals) + 1;
  const std::size_t block = PointsPerBlock(request);
  return (points + block - 1) / block;
}

// The forward over `days`, rounded to cents as the forward field shows it.
float CentsForward(const TPayoffRequest& request, int days, TMessageSink& messages) {
  return ParseNumber(
      FormatFixed(ForwardOf(request.Rate, days, kTradingDaysPerYear, request.Inputs.Price), 2), '.',
      messages);
}

// What the columns share: their days and the forward each is analysed on.
struct TColumns {
  std::array<int, kColumns> Days{};
  std::array<float, kColumns> Forward{};
};

// The underlying a column's premium is valued on: for the closed formulas the price (or the
// present value of the forward), for the integration formulas the column's forward.
float PremiumUnderlying(const TPayoffRequest& request, const TColumns& columns, std::size_t j) {
  const TReportInputs& in = request.Inputs;
  if (request.Terms.Integration()) return columns.Forward[j];
  return ForwardPerColumn(request)
             ? in.Price
             : PresentOf(request.Rate, columns.Days[j], kTradingDaysPerYear, in.Forward);
}

// The entry premium of column j.
float ColumnPremium(const TPayoffRequest& request, const TColumns& columns, std::size_t j,
                    TValuer& valuer) {
  const TReportInputs& in = request.Inputs;
  const float premium =
      PositionValue(valuer, request.Terms, request.Code, columns.Days[j], in.Strike,
                    PremiumUnderlying(request, columns, j), in.Volatility, in.StrikeStep)
          .Value;
  return ToSingle(premium * (1 + 0.002 * request.Adjust), "premium");
}

// Which valuations of the values tables go through the computation's memo. A table's valuation
// comes up again only on another column's table, when a calendar spread's far leg lies on another
// column's days at the same volatility, or at a price the other valuations of the command use:
// the price itself and the premiums' underlyings. Every other grid point is valued without
// keeping it: a table has up to 30001 points, and keeping them all costs more than the few
// valuations they could save.
struct TTableMemo {
  bool All = false;
  std::array<float, kColumns + 1> Prices{};

  [[nodiscard]] TMemoUse At(float price) const {
    if (All) return TMemoUse::Keep;
    for (const float shared : Prices) {
      if (price == shared) return TMemoUse::Keep;
    }
    return TMemoUse::Skip;
  }
};

TTableMemo TableMemo(const TPayoffRequest& request, const TColumns& columns) {
  const TReportInputs& in = request.Inputs;
  TTableMemo memo;
  memo.Prices[0] = in.Price;
  for (std::size_t j = 0; j < kColumns; ++j) {
    // A premium whose underlying is out of range fails on its own, in its turn.
    try {
      memo.Prices[j + 1] = PremiumUnderlying(request, columns, j);
    } catch (const ArithmeticFault&) {
      memo.Prices[j + 1] = in.Price;
    }
  }
  if (TablePerColumn(request) && std::bit_cast<std::uint32_t>(in.Volatility) ==
                                     std::bit_cast<std::uint32_t>(in.TrueVolatility)) {
    const int farDays = PositionLegs(request.Code)[0].ExtraDays;
    for (const int days : columns.Days) {
      const int far = detail::AddDays(days, farDays);
      memo.All = memo.All ||
                 std::find(columns.Days.begin(), columns.Days.end(), far) != columns.Days.end();
    }
  }
  return memo;
}

// Entries first to last - 1 of the values table (PayoffValues), each kept in the memo as `memo`
// says.
void FillValues(const TPayoffRequest& request, int days, const TTableMemo& memo, std::size_t first,
                std::size_t last, TValuer& valuer, std::span<float> values) {
  const TReportInputs& in = request.Inputs;
  const TValuationTerms& terms = request.Terms;
  const int code = request.Code;
  const TCalendar calendar = CalendarKind(code);
  // The far leg lies 22, 44 or 66 days beyond the days being valued.
  const int farDays =
      calendar == TCalendar::None ? 0 : detail::AddDays(days, PositionLegs(code)[0].ExtraDays);
  const float strike = in.Strike;
  const float step = in.StrikeStep;
  const auto option = [&](bool isPut, int atDays, float price, float volatility) {
    float firstEstimate = 0;
    float secondEstimate = 0;
    return OptionValue(valuer, memo.At(price), terms, isPut, atDays, strike, price, volatility,
                       firstEstimate, secondEstimate);
  };
  for (std::size_t k = first; k < last; ++k) {
    const float x = GridPrice(static_cast<int>(k), in.Price, request.Intervals);
    double value = 0;
    switch (calendar) {
      case TCalendar::Call: {
        const float far = option(false, farDays, x, in.Volatility);
        value = double{far} - option(false, days, x, in.TrueVolatility);
        break;
      }
      case TCalendar::CallCredit: {
        const float far = option(false, farDays, x + step, in.Volatility);
        value = double{far} - option(false, days, x, in.TrueVolatility) - step;
        break;
      }
      case TCalendar::Put: {
        const float far = option(true, farDays, x, in.Volatility);
        value = double{far} - option(true, days, x, in.TrueVolatility);
        break;
      }
      case TCalendar::None:
        value =
            PositionValue(valuer, terms, code, 0, strike, x, in.TrueVolatility, step, memo.At(x))
                .Value;
        break;
    }
    values[k] = ToSingle(value, "payoff value");
  }
}

// The statistics of column j over the values table, on one worker's integration model; false
// when the model refuses the analysis.
bool AnalyseColumn(const TPayoffRequest& request, const TColumns& columns, std::size_t j,
                   float entryValue, std::span<const float> values, TOptionInt& model,
                   PayoffRow& row) {
  const TReportInputs& in = request.Inputs;
  PayoffStats stats{};
  stats.PositionKind = static_cast<std::uint8_t>(request.Code);
  stats.Strike = in.Strike;
  stats.Price = in.Price;
  stats.Forward = ForwardPerColumn(request) ? columns.Forward[j] : in.Forward;
  stats.TrueVol = in.TrueVolatility;
  stats.CostPerTrade = in.CostPerTrade;
  stats.Days = columns.Days[j];
  stats.Row.EntryValue = entryValue;
  model.Intervals = request.Intervals;
  model.Distribution = request.Distribution;
  if (!model.AnalysePayoff(stats, values)) return false;
  row = stats.Row;
  row.Expected1 = static_cast<float>(double{row.GainChance1} * row.AvgGain1 +
                                     (1 - double{row.GainChance1}) * row.AvgLoss1);
  row.Expected2 = static_cast<float>(double{row.GainChance2} * row.AvgGain2 +
                                     (1 - double{row.GainChance2}) * row.AvgLoss2);
  return true;
}

// A unit of the values table's work, or the premium that comes before it.
struct TPremiumOrBlock {
  float Premium = 0;
};

// Values the premium of column j (unit 0) and the table for `days` in blocks (the other units),
// in one run on the context's workers.
float PremiumAndTable(const TPayoffRequest& request, const TColumns& columns, std::size_t j,
                      int days, const TTableMemo& memo, TComputeContext& context,
                      std::span<float> values) {
  const std::size_t block = PointsPerBlock(request);
  const std::size_t points = values.size();
  const std::vector<TPremiumOrBlock> units =
      context.Map<TPremiumOrBlock>(1 + Blocks(request), [&](std::size_t unit, TValuer& valuer) {
        TPremiumOrBlock result;
        if (unit == 0) {
          result.Premium = ColumnPremium(request, columns, j, valuer);
        } else {
          const std::size_t first = (unit - 1) * block;
          FillValues(request, days, memo, first, std::min(points, first + block), valuer, values);
        }
        return result;
      });
  return units[0].Premium;
}

}  // namespace

bool PayoffAnalysed(const TPayoffRequest& request) {
  return request.Inputs.MaxDays <= kLongestPayoffHorizon && request.Code != 0 &&
         Refusal(request) == nullptr;
}

std::vector<float> PayoffValues(const TPayoffRequest& request, int days, TValuer& valuer) {
  std::vector<float> values(static_cast<std::size_t>(request.Intervals) + 1, 0.0f);
  TTableMemo memo;
  memo.All = true;
  FillValues(request, days, memo, 0, values.size(), valuer, values);
  return values;
}

std::uint64_t PayoffUnits(const TPayoffRequest& request) {
  if (!PayoffAnalysed(request)) return 0;
  const std::uint64_t tables = TablePerColumn(request) ? kColumns : 1;
  return tables * (1 + Blocks(request)) + kColumns;
}

TPayoffResult ComputePayoff(const TPayoffRequest& request, TComputeContext& context) {
  const TReportInputs& in = request.Inputs;
  TPayoffResult result;
  if (in.MaxDays > kLongestPayoffHorizon) {
    context.Messages().ShowMessage(
        "Payoff analysis becomes inaccurate when days to expiration is larger than 5 months. "
        "Reduce timespan.",
        TMessageKind::Warning);
    return result;
  }
  if (request.Code == 0) {
    context.Messages().ShowMessage("Error: Not recognized: " + request.PositionName,
                                   TMessageKind::Error);
    throw EAbandoned();
  }
  // What the analysis cannot take is refused once, before anything is valued.
  if (const char* refusal = Refusal(request)) {
    context.Messages().ShowMessage(refusal, TMessageKind::Error);
    return result;
  }

  const bool forwardPerColumn = ForwardPerColumn(request);
  TMessageSink& messages = context.Messages();
  const float forward = CentsForward(request, in.MaxDays, messages);
  TColumns columns;
  for (std::size_t j = 0; j < kColumns; ++j) {
    columns.Days[j] = DayColumn(request.DayStep, static_cast<int>(j) + 1, messages);
    columns.Forward[j] =
        forwardPerColumn ? CentsForward(request, columns.Days[j], messages) : forward;
    if (!((forwardPerColumn ? columns.Forward[j] : in.Forward) > 0)) {
      messages.ShowMessage("Forward must be > 0", TMessageKind::Error);
      throw EAbandoned();
    }
  }
  result.ColumnDays = columns.Days;

  const TTableMemo memo = TableMemo(request, columns);
  std::vector<float> values(static_cast<std::size_t>(request.Intervals) + 1, 0.0f);
  if (TablePerColumn(request)) {
    // Column by column: its premium and its table on every worker, then its analysis.
    for (std::size_t j = 0; j < kColumns; ++j) {
      const float entry =
          PremiumAndTable(request, columns, j, columns.Days[j], memo, context, values);
      context.Control().CheckStop();
      if (!AnalyseColumn(request, columns, j, entry, values,
                         context.Sequential().Models().OptionInt1, result.Rows[j])) {
        return result;
      }
      context.Control().Finish();
    }
  } else {
    // One table (built after the first column's premium), then the columns on every worker.
    const int tableDays = forwardPerColumn ? columns.Days[0] : 0;
    const float firstEntry = PremiumAndTable(request, columns, 0, tableDays, memo, context, values);
    struct TColumnResult {
      bool Analysed = false;
      PayoffRow Row;
    };
    const std::vector<TColumnResult> analysed =
        context.Map<TColumnResult>(kColumns, [&](std::size_t j, TValuer& valuer) {
          const float entry = j == 0 ? firstEntry : ColumnPremium(request, columns, j, valuer);
          TColumnResult column;
          column.Analysed = AnalyseColumn(request, columns, j, entry, values,
                                          valuer.Models().OptionInt1, column.Row);
          return column;
        });
    // A column the model refuses ends the analysis there, as it would one column at a time.
    for (std::size_t j = 0; j < kColumns; ++j) {
      if (!analysed[j].Analysed) return result;
      result.Rows[j] = analysed[j].Row;
    }
  }

  for (std::size_t j = 0; j < kColumns; ++j) {
    const int days = columns.Days[j];
    float cell = in.Forward;
    if (!request.StrikeAxis) {
      cell = PresentOf(request.Rate, days, kTradingDaysPerYear, in.Forward);
    } else if (!request.Locked) {
      cell = ForwardOf(request.Rate, days, kTradingDaysPerYear, in.Price);
    }
    result.Implied[j] = cell;
  }
  result.Written = true;
  return result;
}

std::vector<std::string> RenderPayoff(const TPayoffRequest& request, const TPayoffResult& result) {
  const TReportInputs& in = request.Inputs;
  std::vector<std::string> lines;
  std::string heading = " " + request.PositionName + " - " +
                        PositionDescription(request.Code, TPositionAxis::Forward, in.Strike,
                                            in.StrikeStep, in.Forward) +
                        " Impl.volatility = " + request.VolatilityText;
  heading +=
      request.Locked ? "   Forward = " + request.ForwardText : "   Price = " + request.PriceText;
  lines.push_back(heading);
  lines.push_back(std::string(26, ' ') + "Trading days to expiration");
  std::string days(7, ' ');
  for (const int d : result.ColumnDays) days.append(" ").append(FormatDays(d));
  lines.push_back(days);
  const std::string rule = detail::Rule(73);
  lines.push_back(rule);

  const auto statLine = [&](const std::string& label, float PayoffRow::*field,
                            std::string (*format)(float)) {
    std::string line = label;
    for (const PayoffRow& row : result.Rows) line += format(row.*field);
    return line;
  };
  // A cell of the P(gain) line: a chance as a whole percentage.
  const auto chanceCell = [](float chance) { return FormatDays(RoundToInt(chance * 100.0)) + "%"; };
  const auto chanceLine = [&](const std::string& label, float PayoffRow::*field) {
    std::string line = label;
    for (const PayoffRow& row : result.Rows) line += chanceCell(row.*field);
    return line;
  };
  lines.push_back(statLine(" Premium", &PayoffRow::EntryValue, FormatCell));
  std::string implied = request.StrikeAxis ? " Impl.f." : " Impl.p.";
  for (const float cell : result.Implied) implied += FormatCell(cell);
  lines.push_back(implied);
  lines.emplace_back();
  lines.push_back(" Analysis assuming " + request.AnalysisFormulaText +
                  "         True volatility = " + request.TrueVolatilityText);
  lines.push_back(rule);
  const std::string indent(8, ' ');
  lines.push_back(statLine(" Av.gain", &PayoffRow::AvgGain1, FormatStatCell));
  lines.push_back(statLine(indent, &PayoffRow::AvgGain2, FormatStatCell));
  lines.push_back(statLine(" Av.loss", &PayoffRow::AvgLoss1, FormatStatCell));
  lines.push_back(statLine(indent, &PayoffRow::AvgLoss2, FormatStatCell));
  lines.push_back(chanceLine(" P(gain)", &PayoffRow::GainChance1));
  lines.push_back(chanceLine(indent, &PayoffRow::GainChance2));
  lines.push_back(statLine(" P&L    ", &PayoffRow::Expected1, FormatStatCell));
  lines.push_back(statLine(indent, &PayoffRow::Expected2, FormatStatCell));
  lines.push_back(
      std::fabs(in.CostPerTrade) <= 0.0001
          ? " Cost per trade excluded"
          : std::string(" Total cost per trade = ").append(FormatFixed(in.CostPerTrade, 2)));
  return lines;
}

TCsvTable PayoffCsv(const TPayoffRequest& request, const TPayoffResult& result) {
  TCsvTable table;
  table.Header = {"Table", "Line"};
  for (const int days : result.ColumnDays) table.Header.push_back(CsvInteger(days) + " days");
  if (!result.Written) return table;
  const auto add = [&](const char* name, const char* line, auto cell) {
    std::vector<std::string> fields = {name, line};
    for (std::size_t j = 0; j < kColumns; ++j) fields.push_back(CsvNumber(cell(j)));
    table.Rows.push_back(std::move(fields));
  };
  const auto stat = [&](const char* line, float PayoffRow::*field) {
    add("Analysis", line, [&](std::size_t j) { return result.Rows[j].*field; });
  };
  add("Entry", "Premium", [&](std::size_t j) { return result.Rows[j].EntryValue; });
  add("Entry", request.StrikeAxis ? "Impl.f." : "Impl.p.",
      [&](std::size_t j) { return result.Implied[j]; });
  stat("Av.gain 1", &PayoffRow::AvgGain1);
  stat("Av.gain 2", &PayoffRow::AvgGain2);
  stat("Av.loss 1", &PayoffRow::AvgLoss1);
  stat("Av.loss 2", &PayoffRow::AvgLoss2);
  stat("P(gain) 1", &PayoffRow::GainChance1);
  stat("P(gain) 2", &PayoffRow::GainChance2);
  stat("P&L 1", &PayoffRow::Expected1);
  stat("P&L 2", &PayoffRow::Expected2);
  return table;
}

}  // namespace valquor
