#include "reports/FairValue.h"

#include "models/Single.h"
#include "reports/DaySteps.h"
#include "reports/Positions.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

constexpr std::size_t kColumns = kDayColumns;

// The strike or forward of a row (0 to 10).
float RowValue(const TFairValueRequest& request, int row) {
  const TReportInputs& in = request.Inputs;
  const float base = request.StrikeAxis ? in.Strike : in.Forward;
  return ToSingle(AxisValue(row + 1, base, in.StrikeStep), "row value");
}

// The position in one cell: the row runs through strikes or forwards; the rate formulas value on
// today's price (or the present value of the forward), the integration formulas on the forward
// itself.
TPositionValue ValueCell(const TFairValueRequest& request, float y, int column, TValuer& valuer) {
  const TReportInputs& in = request.Inputs;
  const bool integration = request.Terms.Integration();
  const int days = ColumnDays(request.DayStep, column + 1, valuer.Messages());
  float strike = in.Strike;
  float underlying = y;
  if (request.StrikeAxis) {
    strike = y;
    underlying = integration      ? in.Forward
                 : request.Locked ? PresentOf(request.Rate, days, kTradingDaysPerYear, in.Forward)
                                  : in.Price;
  } else if (!integration) {
    underlying = PresentOf(request.Rate, days, kTradingDaysPerYear, y);
  }
  return PositionValue(valuer, request.Terms, request.Code, days, strike, underlying, in.Volatility,
                       in.StrikeStep);
}

using TRowValues = std::array<TPositionValue, kColumns>;

}  // namespace

std::uint64_t FairValueUnits(const TFairValueRequest& request) {
  return request.Terms.Integration() ? kAxisRows : kAxisRows * kDayColumns;
}

TFairValueResult ComputeFairValue(const TFairValueRequest& request, TComputeContext& context) {
  if (request.Code == 0) {
    context.Messages().ShowMessage("Error: Not recognized: " + request.PositionName,
                                   TMessageKind::Error);
    throw EAbandoned();
  }
  TFairValueResult result;
  for (std::size_t c = 0; c < kColumns; ++c) {
    result.ColumnDays[c] = ColumnDays(request.DayStep, static_cast<int>(c) + 1, context.Messages());
  }

  if (request.Terms.Integration()) {
    // A row a unit: its cells, then the same cells again for the line of second estimates. The
    // second asking takes each valuation from the computation's memo and shows its messages
    // again, as that line's cells show them.
    const std::vector<TRowValues> rows =
        context.Map<TRowValues>(kAxisRows, [&](std::size_t row, TValuer& valuer) {
          const float y = RowValue(request, static_cast<int>(row));
          TRowValues values{};
          for (std::size_t c = 0; c < kColumns; ++c) {
            values[c] = ValueCell(request, y, static_cast<int>(c), valuer);
          }
          for (std::size_t c = 0; c < kColumns; ++c) {
            (void)ValueCell(request, y, static_cast<int>(c), valuer);
          }
          return values;
        });
    for (std::size_t row = 0; row < kAxisRows; ++row) {
      for (std::size_t c = 0; c < kColumns; ++c) result.Cells[row * kColumns + c] = rows[row][c];
    }
  } else {
    // A cell a unit; each works out its row's strike or forward (a row beyond the single range
    // fails at its first cell).
    const std::vector<TPositionValue> cells =
        context.Map<TPositionValue>(kAxisRows * kColumns, [&](std::size_t i, TValuer& valuer) {
          const float y = RowValue(request, static_cast<int>(i / kColumns));
          return ValueCell(request, y, static_cast<int>(i % kColumns), valuer);
        });
    for (std::size_t i = 0; i < cells.size(); ++i) result.Cells[i] = cells[i];
  }
  for (std::size_t row = 0; row < kAxisRows; ++row) {
    result.Rows[row] = RowValue(request, static_cast<int>(row));
  }

  const TReportInputs& in = request.Inputs;
  std::array<int, kColumns> impliedDays{};
  for (std::size_t c = 0; c < kColumns; ++c) {
    impliedDays[c] = ColumnDays(request.DayStep, static_cast<int>(c) + 1, context.Messages());
  }
  for (std::size_t c = 0; c < kColumns; ++c) {
    float cell = in.Forward;
    if (!request.StrikeAxis) {
      cell = PresentOf(request.Rate, impliedDays[c], kTradingDaysPerYear, in.Forward);
    } else if (!request.Locked) {
      cell = ForwardOf(request.Rate, impliedDays[c], kTradingDaysPerYear, in.Price);
    }
    result.Implied[c] = cell;
  }
  return result;
}

std::vector<std::string> RenderFairValue(const TFairValueRequest& request,
                                         const TFairValueResult& result) {
  const TReportInputs& in = request.Inputs;
  const bool integration = request.Terms.Integration();
  std::vector<std::string> lines;
  lines.push_back(
      " " + request.PositionName + " - " +
      PositionDescription(request.Code,
                          request.StrikeAxis ? TPositionAxis::Strike : TPositionAxis::Forward,
                          in.Strike, in.StrikeStep, in.Forward));
  if (request.StrikeAxis) {
    lines.push_back(
        (request.Locked ? " Forward = " + request.ForwardText : " Price = " + request.PriceText) +
        "   Volatility = " + request.VolatilityText);
  } else {
    lines.push_back(" Strike = " + request.StrikeText +
                    "   Volatility = " + request.VolatilityText);
  }
  lines.push_back(" Formula = " + request.FormulaText +
                  (integration ? "   (Forward = " + request.ForwardText + ")"
                               : "   (Risk-free interest = drift = " + request.RateText + ")"));
  lines.emplace_back();
  lines.push_back(std::string(25, ' ') + "Trading days to expiration");

  // Seven blanks and the first letter of the axis name, or of whatever was typed there.
  std::string head = detail::FirstCharacters("       " + request.YAxisText + " ", 8);
  for (std::size_t c = 0; c < kColumns; ++c) {
    if (c > 0) head += ' ';
    head += FormatDays(result.ColumnDays[c]);
  }
  lines.push_back(head);
  const std::string rule = detail::Rule(72);
  lines.push_back(rule);

  for (std::size_t row = 0; row < kAxisRows; ++row) {
    std::string line = FormatAxisLabel(result.Rows[row]);
    for (std::size_t c = 0; c < kColumns; ++c) {
      const TPositionValue& cell = result.Cells[row * kColumns + c];
      line += FormatCell(integration ? cell.First : cell.Value);
    }
    lines.push_back(line);
    if (integration) {
      std::string second(8, ' ');
      for (std::size_t c = 0; c < kColumns; ++c) {
        second += FormatCell(result.Cells[row * kColumns + c].Second);
      }
      lines.push_back(second);
      lines.emplace_back();
    }
    if (row == 4 || row == 5) lines.push_back(rule);
  }
  lines.emplace_back();
  lines.push_back(rule);

  std::string implied = request.StrikeAxis ? " Impl.f." : " Impl.p.";
  for (const float cell : result.Implied) implied += FormatCell(cell);
  lines.push_back(implied);
  return lines;
}

TCsvTable FairValueCsv(const TFairValueRequest& request, const TFairValueResult& result) {
  const bool integration = request.Terms.Integration();
  TCsvTable table;
  table.Header.emplace_back(request.StrikeAxis ? "Strike" : "Forward");
  for (const int days : result.ColumnDays) {
    const std::string column = CsvInteger(days) + " days";
    if (integration) {
      table.Header.push_back(column + " first estimate");
      table.Header.push_back(column + " second estimate");
    } else {
      table.Header.push_back(column);
    }
  }
  for (std::size_t row = 0; row < kAxisRows; ++row) {
    std::vector<std::string> fields = {CsvNumber(result.Rows[row])};
    for (std::size_t c = 0; c < kColumns; ++c) {
      const TPositionValue& cell = result.Cells[row * kColumns + c];
      if (integration) {
        fields.push_back(CsvNumber(cell.First));
        fields.push_back(CsvNumber(cell.Second));
      } else {
        fields.push_back(CsvNumber(cell.Value));
      }
    }
    table.Rows.push_back(std::move(fields));
  }
  std::vector<std::string> implied = {request.StrikeAxis ? "Impl.f." : "Impl.p."};
  for (const float cell : result.Implied) {
    implied.push_back(CsvNumber(cell));
    if (integration) implied.emplace_back();
  }
  table.Rows.push_back(std::move(implied));
  return table;
}

}  // namespace valquor
