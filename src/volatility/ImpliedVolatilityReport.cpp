#include "volatility/ImpliedVolatilityReport.h"

#include <cmath>
#include <limits>
#include <optional>

#include "models/Format.h"
#include "models/Numbers.h"
#include "models/Single.h"

namespace valquor {
namespace {

constexpr int kRows = 5;
// The per-premium search: 20 coarse candidates, then 41 fine ones.
constexpr std::size_t kCoarseCandidates = 20;
constexpr std::size_t kFineCandidates = 41;
constexpr float kStrikeErrorStart = 9999999;

// |model - market| (squared when asked) summed over the rows with a strike above 0 and a market
// premium above 0, at a price and volatility.
float TableError(const TAnalysisTable& table, const TValuationTerms& terms, float price,
                 float volatility, bool squared, TValuer& valuer) {
  float sum = 0;
  const auto add = [&sum, squared](float model, float market) {
    if (!(market > 0)) return;
    const float difference = model - market;
    sum += squared ? difference * difference : std::fabs(difference);
  };
  for (int r = 1; r <= kRows; ++r) {
    const float strike = table.K[r];
    if (!(strike > 0)) continue;
    const float call = valuer.Value(terms, false, table.Days, strike, price, volatility);
    const float put = valuer.Value(terms, true, table.Days, strike, price, volatility);
    add(call, table.CM[r]);
    add(put, table.PM[r]);
  }
  return sum;
}

int StrikeRows(const TAnalysisTable& table) {
  int rows = 0;
  for (int r = 1; r <= kRows; ++r) {
    if (table.K[r] > 0) ++rows;
  }
  return rows;
}

}  // namespace

float SearchImplVol(const TAnalysisTable& table, const TValuationTerms& terms, float price,
                    TComputeContext& context) {
  return SearchVolatility(context, [&](float volatility, TValuer& valuer) {
    return TableError(table, terms, price, volatility, false, valuer);
  });
}

float SearchImplPrice(const TAnalysisTable& table, const TValuationTerms& terms, float volatility,
                      TComputeContext& context) {
  const TValuedError error = [&](float price, TValuer& valuer) {
    return TableError(table, terms, price, volatility, true, valuer);
  };
  // The first pass spans 10 % to 190 % of the mean of the first two strikes.
  const auto centre = static_cast<float>((double{table.K[1]} + double{table.K[2]}) / 2);
  const float f1 = PriceGridPass(0.1f, centre, context, error);
  const float f2 = PriceGridPass(0.01f, f1, context, error);
  return PriceGridPass(0.001f, f2, context, error);
}

float StrikeImplVol(const TValuationTerms& terms, bool isPut, int days, float premium, float price,
                    float strike, TComputeContext& context) {
  const auto error = [&](float candidate, TValuer& valuer) {
    return std::fabs(valuer.Value(terms, isPut, days, strike, price, candidate) - premium);
  };
  const std::vector<float> coarseErrors =
      context.Map<float>(kCoarseCandidates, [&](std::size_t i, TValuer& valuer) {
        return error(static_cast<float>(10 * (static_cast<int>(i) + 1)), valuer);
      });
  const std::optional<std::size_t> coarseWinner = GridWinner(coarseErrors, kStrikeErrorStart);
  const float coarse =
      coarseWinner ? static_cast<float>(10 * (static_cast<int>(*coarseWinner) + 1)) : 0.0f;

  const auto fineCandidate = [coarse](std::size_t i) {
    return coarse + static_cast<float>(static_cast<int>(i) - 20) / 2;
  };
  const std::vector<float> fineErrors =
      context.Map<float>(kFineCandidates, [&](std::size_t i, TValuer& valuer) {
        const float candidate = fineCandidate(i);
        // Candidates below 0.001 are not valued and never win.
        if (candidate < 0.001f) return std::numeric_limits<float>::quiet_NaN();
        return error(candidate, valuer);
      });
  const std::optional<std::size_t> fineWinner = GridWinner(fineErrors, kStrikeErrorStart);
  const float fine = fineWinner ? fineCandidate(*fineWinner) : 0.0f;
  return std::nearbyint(fine);  // halves to the even neighbour
}

TImpliedVolatilityAnalysisResult ComputeImpliedVolatilityAnalysis(
    const TImpliedVolatilityAnalysisRequest& request, TComputeContext& context) {
  const TAnalysisTable& table = request.Table;
  const TValuationTerms& terms = request.Terms;
  const int days = table.Days;
  const bool forwardLocked = request.BothLocked || request.Locked;
  const int rows = StrikeRows(table);

  // Units of progress: every search candidate, the fair values of a row, and every candidate of
  // the per-premium searches.
  const std::uint64_t searches = request.BothLocked ? 0 : request.Locked ? 1 : 5;
  const std::uint64_t rowUnits =
      static_cast<std::uint64_t>(rows) * (1 + 2 * (kCoarseCandidates + kFineCandidates));
  context.Control().Plan(searches * kSearchUnits + rowUnits);

  TImpliedVolatilityAnalysisResult result;
  float price = PresentOf(request.Rate, days, kTradingDaysPerYear, request.TypedForward);
  float volatility = request.TypedVolatility;
  if (request.BothLocked) {
    // The report is written for the forward and volatility as typed.
  } else if (request.Locked) {
    volatility = SearchImplVol(table, terms, price, context);
  } else {
    price = SearchImplPrice(table, terms, volatility, context);
    volatility = SearchImplVol(table, terms, price, context);
    price = SearchImplPrice(table, terms, volatility, context);
    volatility = SearchImplVol(table, terms, price, context);
    price = SearchImplPrice(table, terms, volatility, context);
  }
  result.Price = price;
  result.Volatility = volatility;

  // A locked forward is shown as typed; a fitted one is the fitted price, rounded as a premium,
  // grown to expiration.
  if (forwardLocked) {
    result.ForwardPrice = request.TypedForward;
  } else {
    const float rounded = TryParseNumber(FormatPremium(price), '.').value_or(0.0f);
    result.ForwardPrice = ForwardOf(request.Rate, days, kTradingDaysPerYear, rounded);
  }
  result.Forward = FormatFixed(result.ForwardPrice, 2, 1);
  result.AverageVolatility = FormatFixed(volatility, 1, 4);

  const bool fitted = volatility != 0 && price > 0;
  if (!fitted) {
    context.Control().Finish(rowUnits);
    result.Deviation = "(0)";
    return result;
  }
  std::vector<int> strikeRows;
  for (int r = 1; r <= kRows; ++r) {
    if (table.K[r] > 0) strikeRows.push_back(r);
  }
  struct TFair {
    float Call = 0;
    float Put = 0;
  };
  const std::vector<TFair> fair =
      context.Map<TFair>(strikeRows.size(), [&](std::size_t i, TValuer& valuer) {
        const float strike = table.K[strikeRows[i]];
        TFair f;
        f.Call = valuer.Value(terms, false, days, strike, price, volatility);
        f.Put = valuer.Value(terms, true, days, strike, price, volatility);
        return f;
      });
  double squares = 0;
  int count = 0;
  for (std::size_t i = 0; i < strikeRows.size(); ++i) {
    const int r = strikeRows[i];
    if (table.CM[r] > 0) {
      squares += std::pow(double{fair[i].Call} - table.CM[r], 2);
      ++count;
    }
    if (table.PM[r] > 0) {
      squares += std::pow(double{fair[i].Put} - table.PM[r], 2);
      ++count;
    }
  }
  const std::string deviation =
      count == 0 ? std::string("0") : FormatFixed(std::sqrt(squares / count), 2, 4);
  result.Deviation = "(" + deviation + ")";

  for (std::size_t i = 0; i < strikeRows.size(); ++i) {
    const int r = strikeRows[i];
    const float strike = table.K[r];
    TImpliedVolatilityAnalysisResult::TRow row;
    row.Row = r;
    row.FairCall = fair[i].Call;
    row.FairPut = fair[i].Put;
    row.CallVolatility = StrikeImplVol(terms, false, days, table.CM[r], price, strike, context);
    row.PutVolatility = StrikeImplVol(terms, true, days, table.PM[r], price, strike, context);
    result.Rows.push_back(row);
  }
  return result;
}

std::vector<std::string> RenderImpliedVolatilityAnalysis(
    const TImpliedVolatilityAnalysisRequest& request,
    const TImpliedVolatilityAnalysisResult& result) {
  const TAnalysisTable& table = request.Table;
  std::vector<std::string> lines;
  lines.push_back(" Formula = " + request.FormulaText +
                  "      Trading days to expiration = " + FormatFixed(table.Days, 0, 4));
  lines.push_back(" Implied forward = " + result.Forward +
                  "     (Risk-free interest = " + request.RateText + ")");
  lines.push_back(" Av. implied vol = " + result.AverageVolatility + "%");

  const auto strikeLabel = [&request](int r) {
    return " " + PadLeft(request.StrikeTexts[static_cast<std::size_t>(r)], 5) + " -";
  };
  const auto money = [](double x) { return FormatFixed(x, 2, 9); };
  const auto percent = [](double x) { return FormatFixed(x, 0, 8) + "%"; };
  const std::string columns =
      "             Call      Put        Call      Put        Call      Put";

  lines.emplace_back();
  lines.emplace_back("  Strike     Medium prices        Fair prices          Difference");
  lines.push_back(columns);
  for (const auto& row : result.Rows) {
    const float cm = table.CM[row.Row];
    const float pm = table.PM[row.Row];
    lines.push_back(strikeLabel(row.Row) + money(cm) + money(pm) + "   " + money(row.FairCall) +
                    money(row.FairPut) + "   " + money(cm - row.FairCall) +
                    money(pm - row.FairPut));
  }

  const float v = result.Volatility;
  lines.emplace_back();
  lines.emplace_back("             Av. implied vol      Implied vol          Difference");
  lines.push_back(columns);
  for (const auto& row : result.Rows) {
    lines.push_back(strikeLabel(row.Row) + percent(v) + percent(v) + "   " +
                    percent(row.CallVolatility) + percent(row.PutVolatility) + "   " +
                    percent(double{row.CallVolatility} - v) +
                    percent(double{row.PutVolatility} - v));
  }
  return lines;
}

TCsvTable ImpliedVolatilityAnalysisCsv(const TImpliedVolatilityAnalysisRequest& request,
                                       const TImpliedVolatilityAnalysisResult& result) {
  TCsvTable csv;
  csv.Header = {"Strike",          "Call medium price", "Put medium price", "Call fair price",
                "Put fair price",  "Call difference",   "Put difference",   "Call implied vol",
                "Put implied vol", "Av. implied vol",   "Implied forward"};
  const TAnalysisTable& table = request.Table;
  for (const auto& row : result.Rows) {
    const float cm = table.CM[row.Row];
    const float pm = table.PM[row.Row];
    csv.Rows.push_back({CsvNumber(table.K[row.Row]), CsvNumber(cm), CsvNumber(pm),
                        CsvNumber(row.FairCall), CsvNumber(row.FairPut),
                        CsvNumber(cm - row.FairCall), CsvNumber(pm - row.FairPut),
                        CsvNumber(row.CallVolatility), CsvNumber(row.PutVolatility),
                        CsvNumber(result.Volatility), CsvNumber(result.ForwardPrice)});
  }
  return csv;
}

}  // namespace valquor
