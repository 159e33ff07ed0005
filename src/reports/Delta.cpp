#include "reports/Delta.h"

#include <cmath>

#include "models/Format.h"
#include "models/Single.h"
#include "reports/PositionValue.h"

namespace valquor {
namespace {

// Changes below this magnitude make no line: there is nothing to divide by.
constexpr double kTinyChange = 0.0001;

constexpr std::size_t kPriceLines = kDeltaPriceSteps.size();
constexpr std::size_t kVolatilityLines = kVolatilityChanges.size();

// The decay lines the days allow: n days can pass only while n <= days.
std::size_t DecayLines(int days) {
  std::size_t lines = 0;
  while (lines < kDecayDays.size() && kDecayDays[lines] <= days) ++lines;
  return lines;
}

// One line's valuation: the change it makes and the value after it (none for a change too small
// to value).
struct TLineValue {
  float Change = 0;
  std::optional<float> Value;
};

std::string ChangeLine(double change, double percent) {
  return "  " + FormatFixed(change, 2, 8) + ":        " + FormatFixed(percent, 0, 4) + "%";
}

double PriceChangePercent(const TDeltaResult& result, std::size_t i) {
  return (double{*result.PriceValues[i]} - result.Value) * 100 / std::fabs(result.PriceChanges[i]);
}

double VolatilityChangePercent(const TDeltaResult& result, std::size_t i) {
  return result.Value > 0 ? (double{result.VolatilityValues[i]} - result.Value) * 100 / result.Value
                          : 0;
}

double DecayPercent(const TDeltaResult& result, std::size_t i) {
  return (double{result.Decayed[i]} - result.Value) * 100 / std::fabs(result.Unit);
}

}  // namespace

std::uint64_t DeltaUnits(const TDeltaRequest& request) {
  if (request.Code == 0 || request.Days < 0) return 0;
  return 1 + kPriceLines + DecayLines(request.Days) + kVolatilityLines;
}

TDeltaResult ComputeDelta(const TDeltaRequest& request, TComputeContext& context) {
  if (request.Code == 0) {
    context.Messages().ShowMessage("Error: Not recognized: " + request.PositionName,
                                   TMessageKind::Error);
    throw EAbandoned();
  }
  TDeltaResult result;
  if (request.Days < 0) {
    // Days to expiration cannot lie in the past; one message instead of one per valuation.
    context.Messages().ShowMessage("Trading days to expiration must be >= 0", TMessageKind::Error);
    result.Refused = true;
    return result;
  }
  const auto value = [&](TValuer& valuer, int days, float price, float volatility) {
    return PositionValue(valuer, request.Terms, request.Code, days, request.Strike, price,
                         volatility, request.StrikeStep);
  };

  context.Control().CheckStop();
  const TPositionValue now =
      value(context.Sequential(), request.Days, request.Price, request.Volatility);
  context.Control().Finish();
  result.Value = now.Value;
  result.Premium = static_cast<float>((double{now.First} + now.Second) / 2);
  result.Unit = ToSingle(0.01 * request.Strike, "strike");
  // Whether the decay lines need their values: they show nothing when neither the premium nor
  // the strike unit gives them a measure.
  const bool decayValued =
      std::fabs(result.Premium) >= kTinyChange || std::fabs(result.Unit) >= kTinyChange;

  // The lines, each a unit of work: price changes, days passing, volatility changes.
  const std::size_t decayLines = DecayLines(request.Days);
  const std::vector<TLineValue> lines = context.Map<TLineValue>(
      kPriceLines + decayLines + kVolatilityLines, [&](std::size_t i, TValuer& valuer) {
        TLineValue line;
        if (i < kPriceLines) {
          line.Change = ToSingle(kDeltaPriceSteps[i] * result.Unit, "price change");
          if (std::fabs(line.Change) >= kTinyChange) {
            const float price = ToSingle(double{request.Price} + line.Change, "price");
            line.Value = value(valuer, request.Days, price, request.Volatility).Value;
          }
        } else if (i < kPriceLines + decayLines) {
          const int passed = kDecayDays[i - kPriceLines];
          line.Value =
              decayValued
                  ? value(valuer, request.Days - passed, request.Price, request.Volatility).Value
                  : 0.0f;
        } else {
          line.Change = kVolatilityChanges[i - kPriceLines - decayLines];
          line.Value =
              value(valuer, request.Days, request.Price, request.Volatility + line.Change).Value;
        }
        return line;
      });

  for (std::size_t i = 0; i < kPriceLines; ++i) {
    result.PriceChanges[i] = lines[i].Change;
    result.PriceValues[i] = lines[i].Value;
  }
  for (std::size_t i = 0; i < decayLines; ++i) result.Decayed[i] = *lines[kPriceLines + i].Value;
  for (std::size_t i = 0; i < kVolatilityLines; ++i) {
    result.VolatilityValues[i] = *lines[kPriceLines + decayLines + i].Value;
  }
  return result;
}

std::vector<std::string> RenderDelta(const TDeltaRequest& request, const TDeltaResult& result) {
  std::vector<std::string> lines;
  lines.push_back(" Strike = " + request.StrikeText + "    Price = " + request.PriceText +
                  "   Vol = " + request.VolatilityText +
                  "    Days to expiration = " + request.DaysText);
  if (result.Refused) return lines;

  lines.push_back(" " + request.PositionName + " premium =" + FormatFixed(result.Premium, 2, 6));
  lines.emplace_back();
  lines.emplace_back(" Price change   Premium change");
  for (std::size_t i = 0; i < kPriceLines; ++i) {
    if (!result.PriceValues[i]) {
      lines.emplace_back();
      continue;
    }
    const double percent = PriceChangePercent(result, i);
    std::string line = ChangeLine(result.PriceChanges[i], percent);
    if (kDeltaPriceSteps[i] == kDeltaStep) line += "   Delta = " + FormatFixed(percent / 100, 2);
    lines.push_back(line);
  }

  const std::size_t decayLines = DecayLines(request.Days);
  lines.emplace_back();
  lines.emplace_back("     Days     Timevalue decay (value)");
  for (std::size_t i = 0; i < decayLines; ++i) {
    lines.push_back(std::fabs(result.Premium) < kTinyChange
                        ? std::string()
                        : "      " + FormatFixed(kDecayDays[i], 0, 2) + "         " +
                              FormatFixed(double{result.Decayed[i]} - result.Value, 2, 7));
  }
  lines.emplace_back();
  lines.push_back("     Days     Timevalue decay (percent of " + FormatFixed(result.Unit, 2) + ")");
  lines.emplace_back(" (timevalue decay as percent of a small positive change)");
  for (std::size_t i = 0; i < decayLines; ++i) {
    lines.push_back(std::fabs(result.Unit) < kTinyChange
                        ? std::string()
                        : "      " + FormatFixed(kDecayDays[i], 0, 2) + "          " +
                              FormatFixed(DecayPercent(result, i), 0, 5) + "%");
  }
  lines.emplace_back();
  lines.emplace_back("         Volatility");
  lines.emplace_back("  Vol change    Premium change");
  for (std::size_t i = 0; i < kVolatilityLines; ++i) {
    lines.push_back(ChangeLine(kVolatilityChanges[i], VolatilityChangePercent(result, i)));
  }
  return lines;
}

TCsvTable DeltaCsv(const TDeltaRequest& request, const TDeltaResult& result) {
  TCsvTable table;
  table.Header = {"Table", "Change", "Value"};
  if (result.Refused) return table;
  const auto add = [&](const char* name, std::string change, double value) {
    table.Rows.push_back({name, std::move(change), CsvNumber(static_cast<float>(value))});
  };
  add("Premium", "", result.Premium);
  for (std::size_t i = 0; i < kPriceLines; ++i) {
    if (result.PriceValues[i]) {
      add("Price change", CsvNumber(result.PriceChanges[i]), PriceChangePercent(result, i));
    }
  }
  for (std::size_t i = 0; i < kPriceLines; ++i) {
    if (kDeltaPriceSteps[i] == kDeltaStep && result.PriceValues[i]) {
      add("Delta", CsvNumber(result.PriceChanges[i]), PriceChangePercent(result, i) / 100);
    }
  }
  const std::size_t decayLines = DecayLines(request.Days);
  for (std::size_t i = 0; i < decayLines && std::fabs(result.Premium) >= kTinyChange; ++i) {
    add("Timevalue decay (value)", CsvInteger(kDecayDays[i]),
        double{result.Decayed[i]} - result.Value);
  }
  for (std::size_t i = 0; i < decayLines && std::fabs(result.Unit) >= kTinyChange; ++i) {
    add("Timevalue decay (percent)", CsvInteger(kDecayDays[i]), DecayPercent(result, i));
  }
  for (std::size_t i = 0; i < kVolatilityLines; ++i) {
    add("Volatility change", CsvNumber(kVolatilityChanges[i]), VolatilityChangePercent(result, i));
  }
  return table;
}

}  // namespace valquor
