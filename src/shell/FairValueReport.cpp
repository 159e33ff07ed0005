#include <array>

#include "models/Format.h"
#include "shell/PricingReports.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {

std::string TPricingReports::ImpliedLine(std::span<const int> columnDays) {
  const TReportInputs& in = panel_.Inputs;
  const bool strikeAxis = StrikeAxis();
  std::string line = strikeAxis ? " Impl.f." : " Impl.p.";
  for (const int days : columnDays) {
    float cell = in.Forward;
    if (!strikeAxis) {
      cell = dispatch_.PresentOf(days, true, in.Forward);
    } else if (!form_.MainForwardLock.Checked()) {
      cell = dispatch_.ForwardOf(days, true, in.Price);
    }
    line += FormatCell(cell);
  }
  return line;
}

void TPricingReports::FairValueReport() {
  panel_.RefreshReportInputs();
  const int code = PositionCode();
  const TReportInputs& in = panel_.Inputs;
  const bool strikeAxis = StrikeAxis();
  const bool locked = form_.MainForwardLock.Checked();
  const bool integration =
      dispatch_.FormulaKind >= kFormulaIntNormal && dispatch_.FormulaKind <= kFormulaIntMedium;

  std::vector<std::string> lines;
  lines.push_back(" " + form_.PositionName.Text() + " - " +
                  PositionDescription(code,
                                      strikeAxis ? TPositionAxis::Strike : TPositionAxis::Forward,
                                      in.Strike, in.StrikeStep, in.Forward));
  if (strikeAxis) {
    lines.push_back(
        (locked ? " Forward = " + form_.ForwardEdit.Text() : " Price = " + form_.PriceEdit.Text()) +
        "   Volatility = " + form_.VolEdit.Text());
  } else {
    lines.push_back(" Strike = " + form_.StrikeEdit.Text() +
                    "   Volatility = " + form_.VolEdit.Text());
  }
  lines.push_back(
      " Formula = " + form_.Formula.Text() +
      (integration ? "   (Forward = " + form_.ForwardEdit.Text() + ")"
                   : "   (Risk-free interest = drift = " + form_.RiskFreeInterest.Text() + ")"));
  lines.emplace_back();
  lines.push_back(std::string(25, ' ') + "Trading days to expiration");

  std::string head = ("       " + form_.YAxis.Text() + " ").substr(0, 8);
  for (int column = 1; column <= kDayColumns; ++column) {
    if (column > 1) head += ' ';
    head += FormatDays(panel_.ColumnDays(column));
  }
  lines.push_back(head);
  const std::string rule = detail::Rule(72);
  lines.push_back(rule);

  // The position in one cell: the row runs through strikes or forwards; the rate formulas value
  // on today's price (or the present value of the forward), the integration formulas on the
  // forward itself.
  const auto valueCell = [&](float y, int column, float& firstEstimate, float& secondEstimate) {
    const int days = panel_.ColumnDays(column);
    float strike = in.Strike;
    float underlying = y;
    if (strikeAxis) {
      strike = y;
      underlying = integration ? in.Forward
                   : locked    ? dispatch_.PresentOf(days, true, in.Forward)
                               : in.Price;
    } else if (!integration) {
      underlying = dispatch_.PresentOf(days, true, y);
    }
    return PositionValue(days, code, strike, underlying, in.Volatility, firstEstimate,
                         secondEstimate);
  };

  const float base = strikeAxis ? in.Strike : in.Forward;
  for (int row = 1; row <= kAxisRows; ++row) {
    const float y = detail::ToSingle(panel_.AxisValue(row, base), "row value");
    std::string line = (FormatFixed(y, 1, 7) + " ").substr(0, 8);
    for (int column = 1; column <= kDayColumns; ++column) {
      float first = 0;
      float second = 0;
      const float value = valueCell(y, column, first, second);
      line += FormatCell(integration ? first : value);
    }
    lines.push_back(line);
    if (integration) {
      std::string again(8, ' ');
      for (int column = 1; column <= kDayColumns; ++column) {
        float first = 0;
        float second = 0;
        (void)valueCell(y, column, first, second);
        again += FormatCell(second);
      }
      lines.push_back(again);
      lines.emplace_back();
    }
    if (row == 5 || row == 6) lines.push_back(rule);
  }
  lines.emplace_back();
  lines.push_back(rule);

  std::array<int, kDayColumns> columnDays{};
  for (int column = 1; column <= kDayColumns; ++column) {
    columnDays[static_cast<std::size_t>(column - 1)] = panel_.ColumnDays(column);
  }
  lines.push_back(ImpliedLine(columnDays));

  detail::ReplaceLines(form_.RichEdit1, lines);
}

}  // namespace valquor
