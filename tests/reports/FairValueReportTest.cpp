#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ReportsFixture.h"
#include "compute/Csv.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "reports/ReportCells.h"

namespace valquor {
namespace {

// Expected texts are laid out by hand from the report's rules: heading lines, a row per strike
// or forward (label in 8 characters, eleven 6-character cells), rules around the base row and
// the implied forward or price below; the figures are Black-Scholes (or integration) values at
// the stated inputs, 3 % interest, 260 trading days a year.
class FairValueReportTest : public ReportsTest {};
INSTANTIATE_TEST_SUITE_P(Workers, FairValueReportTest, kWorkerCounts);

TEST_P(FairValueReportTest, DefaultsAsShipped) {
  const std::vector<std::string> kExpected = {
      " Call - (buy call <strike>)   ",
      " Price = 1000   Volatility = 20",
      " Formula = Black-Scholes   (Risk-free interest = drift = 0.03)",
      "",
      "                         Trading days to expiration",
      "       S   20    18    16    14    12    10     8     6     4     2     0",
      " ------------------------------------------------------------------------",
      " 1050.0   6.38  5.53  4.68  3.84  3.00  2.19  1.42  0.75  0.25  0.02  0.00",
      " 1040.0   8.55  7.58  6.59  5.58  4.56  3.52  2.49  1.51  0.64  0.08  0.00",
      " 1030.0   11.3  10.2  9.07  7.91  6.71  5.45  4.16  2.82  1.49  0.35  0.00",
      " 1020.0   14.6  13.4  12.2  10.9  9.57  8.13  6.60  4.93  3.12  1.18  0.00",
      " 1010.0   18.6  17.4  16.1  14.7  13.3  11.7  10.0  8.09  5.90  3.20  0.00",
      " ------------------------------------------------------------------------",
      " 1000.0   23.3  22.0  20.7  19.3  17.8  16.2  14.5  12.5  10.1  7.11  0.00",
      " ------------------------------------------------------------------------",
      "  990.0   28.7  27.4  26.1  24.8  23.3  21.8  20.1  18.1  15.9  13.2  10.0",
      "  980.0   34.8  33.6  32.4  31.1  29.7  28.3  26.7  25.1  23.2  21.3  20.0",
      "  970.0   41.6  40.5  39.4  38.2  37.0  35.7  34.4  33.0  31.7  30.5  30.0",
      "  960.0   49.0  48.0  47.0  46.0  45.0  43.9  42.9  41.8  40.9  40.3  40.0",
      "  950.0   57.0  56.1  55.3  54.4  53.5  52.7  51.9  51.2  50.6  50.2  50.0",
      "",
      " ------------------------------------------------------------------------",
      " Impl.f.  1002  1002  1002  1002  1001  1001  1001  1001  1000  1000  1000",
  };

  ComputeFairValuePage();
  ExpectLines(form.RichEdit1, kExpected);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_P(FairValueReportTest, PutOnTheForwardAxis) {
  // Rows run through forwards around 1002.31; each cell values the put on the forward's
  // present value, and the last line holds the price implied by the forward.
  const std::vector<std::string> kExpected = {
      " Put - (buy put 1000)   ",
      " Strike = 1000   Volatility = 20",
      " Formula = Black-Scholes   (Risk-free interest = drift = 0.03)",
      "",
      "                         Trading days to expiration",
      "       F   20    18    16    14    12    10     8     6     4     2     0",
      " ------------------------------------------------------------------------",
      " 1052.3   5.50  4.76  4.01  3.27  2.54  1.83  1.17  0.60  0.19  0.01  0.00",
      " 1042.3   7.45  6.59  5.71  4.81  3.90  2.99  2.09  1.23  0.50  0.05  0.00",
      " 1032.3   9.90  8.94  7.93  6.90  5.82  4.69  3.53  2.35  1.19  0.25  0.00",
      " 1022.3   12.9  11.9  10.8  9.63  8.40  7.10  5.70  4.19  2.57  0.88  0.00",
      " 1012.3   16.6  15.5  14.3  13.1  11.8  10.3  8.77  7.01  4.99  2.53  0.00",
      " ------------------------------------------------------------------------",
      " 1002.3   21.0  19.8  18.6  17.4  16.0  14.5  12.9  11.0  8.79  5.91  0.00",
      " ------------------------------------------------------------------------",
      "  992.3   26.0  24.9  23.8  22.5  21.2  19.7  18.1  16.3  14.2  11.5  7.69",
      "  982.3   31.8  30.8  29.7  28.5  27.2  25.9  24.5  22.9  21.1  19.1  17.7",
      "  972.3   38.3  37.3  36.3  35.3  34.2  33.0  31.8  30.5  29.3  28.1  27.7",
      "  962.3   45.5  44.6  43.7  42.8  41.9  41.0  40.0  39.1  38.3  37.8  37.7",
      "  952.3   53.2  52.5  51.7  51.0  50.3  49.6  48.9  48.3  47.9  47.7  47.7",
      "",
      " ------------------------------------------------------------------------",
      " Impl.p.  1000  1000  1000  1001  1001  1001  1001  1002  1002  1002  1002",
  };

  form.PositionName.SetText("Put");
  form.YAxis.SetText("Forward");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit1, kExpected);
}

TEST_P(FairValueReportTest, LockedForwardIsTheInput) {
  // The typed forward 1010 stays; cells value on its present value, and every implied forward
  // is the forward itself.
  const std::vector<std::string> kExpected = {
      " Call - (buy call <strike>)   ",
      " Forward = 1010   Volatility = 20",
      " Formula = Black-Scholes   (Risk-free interest = drift = 0.03)",
      "",
      "                         Trading days to expiration",
      "       S   20    18    16    14    12    10     8     6     4     2     0",
      " ------------------------------------------------------------------------",
      " 1050.0   8.14  7.24  6.32  5.37  4.41  3.42  2.44  1.49  0.64  0.08  0.00",
      " 1040.0   10.7  9.74  8.70  7.62  6.48  5.30  4.06  2.78  1.49  0.35  0.00",
      " 1030.0   13.9  12.9  11.7  10.5  9.26  7.90  6.44  4.85  3.09  1.18  0.00",
      " 1020.0   17.8  16.6  15.5  14.2  12.8  11.4  9.75  7.94  5.82  3.19  0.00",
      " 1010.0   22.3  21.2  20.0  18.7  17.3  15.8  14.1  12.2  10.0  7.07  0.00",
      " ------------------------------------------------------------------------",
      " 1000.0   27.5  26.4  25.2  24.0  22.7  21.2  19.6  17.8  15.7  13.1  10.0",
      " ------------------------------------------------------------------------",
      "  990.0   33.5  32.4  31.3  30.2  28.9  27.6  26.2  24.6  22.9  21.1  20.0",
      "  980.0   40.1  39.1  38.1  37.1  36.0  34.9  33.7  32.5  31.3  30.3  30.0",
      "  970.0   47.4  46.5  45.7  44.8  43.9  43.0  42.1  41.3  40.5  40.1  40.0",
      "  960.0   55.2  54.5  53.8  53.1  52.4  51.7  51.1  50.6  50.2  50.0  50.0",
      "  950.0   63.6  63.0  62.4  61.9  61.4  60.9  60.5  60.2  60.0  60.0  60.0",
      "",
      " ------------------------------------------------------------------------",
      " Impl.f.  1010  1010  1010  1010  1010  1010  1010  1010  1010  1010  1010",
  };

  form.MainForwardLock.SetChecked(true);
  form.ForwardEdit.SetText("1010");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit1, kExpected);
  EXPECT_EQ(form.ForwardEdit.Text(), "1010");
}

TEST_P(FairValueReportTest, IntegrationFormulasWriteBothEstimates) {
  // Integration over a normal distribution with 1000 intervals, centred on the forward
  // 1002.31: each row shows the upper sums, then the shifted sums, then an empty line.
  const std::vector<std::string> kExpected = {
      " Call - (buy call <strike>)   ",
      " Price = 1000   Volatility = 30",
      " Formula = Integration normal distribution   (Forward = 1002.31)",
      "",
      "                         Trading days to expiration",
      "       S   20    18    16    14    12    10     8     6     4     2     0",
      " ------------------------------------------------------------------------",
      " 1050.0   16.2  14.7  13.2  11.6  9.89  8.12  6.27  4.34  2.37  0.61  0.00",
      "          19.5  17.9  16.3  14.5  12.7  10.7  8.66  6.40  3.96  1.41  0.00",
      "",
      " 1040.0   19.5  17.9  16.3  14.5  12.7  10.7  8.65  6.39  3.95  1.40  0.00",
      "          23.2  21.5  19.8  18.0  16.0  13.9  11.7  9.13  6.26  2.91  0.00",
      "",
      " 1030.0   23.2  21.5  19.8  18.0  16.0  13.9  11.7  9.12  6.25  2.91  0.00",
      "          27.3  25.7  23.9  22.0  20.0  17.8  15.4  12.6  9.45  5.45  0.00",
      "",
      " 1020.0   27.3  25.7  23.9  22.0  20.0  17.8  15.3  12.6  9.44  5.44  0.00",
      "          32.0  30.3  28.5  26.6  24.5  22.3  19.8  17.0  13.6  9.32  0.00",
      "",
      " 1010.0   32.0  30.3  28.5  26.5  24.5  22.2  19.8  17.0  13.6  9.31  0.00",
      "          37.1  35.4  33.6  31.7  29.6  27.4  25.0  22.2  18.9  14.7  0.00",
      "",
      " ------------------------------------------------------------------------",
      " 1000.0   37.1  35.4  33.6  31.7  29.6  27.4  24.9  22.2  18.9  14.7  2.31",
      "          42.7  41.0  39.3  37.4  35.4  33.2  30.9  28.2  25.2  21.4  2.31",
      "",
      " ------------------------------------------------------------------------",
      "  990.0   42.7  41.0  39.2  37.4  35.4  33.2  30.9  28.2  25.2  21.4  12.3",
      "          48.7  47.1  45.4  43.6  41.7  39.7  37.5  35.1  32.4  29.4  12.3",
      "",
      "  980.0   48.7  47.1  45.4  43.6  41.7  39.7  37.5  35.1  32.4  29.4  22.3",
      "          55.2  53.7  52.1  50.4  48.7  46.8  44.8  42.7  40.5  38.3  22.3",
      "",
      "  970.0   55.2  53.7  52.1  50.4  48.6  46.8  44.8  42.7  40.5  38.3  32.3",
      "          62.2  60.7  59.3  57.7  56.1  54.4  52.7  50.9  49.2  47.7  32.3",
      "",
      "  960.0   62.2  60.7  59.2  57.7  56.1  54.4  52.7  50.9  49.2  47.7  42.3",
      "          69.5  68.2  66.8  65.4  64.0  62.5  61.1  59.6  58.4  57.5  42.3",
      "",
      "  950.0   69.5  68.2  66.8  65.4  64.0  62.5  61.1  59.6  58.3  57.5  52.3",
      "          77.3  76.0  74.8  73.6  72.3  71.1  69.9  68.8  67.9  67.4  52.3",
      "",
      "",
      " ------------------------------------------------------------------------",
      " Impl.f.  1002  1002  1002  1002  1001  1001  1001  1001  1000  1000  1000",
  };

  form.Formula.SetText("Integration normal distribution");
  form.VolEdit.SetText("30");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit1, kExpected);
}

TEST_P(FairValueReportTest, DayStepOutsideTheListValuesEveryCellToZero) {
  form.DaysCombo.SetText("3");  // a whole number, but not one of the listed day steps
  ComputeFairValuePage();

  const std::vector<std::string>& lines = form.RichEdit1.Lines();
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[5], "       S   -1    -1    -1    -1    -1    -1    -1    -1    -1    -1    -1");
  EXPECT_EQ(lines[7], " 1050.0   0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00");
  EXPECT_EQ(lines[20], "");
  // 1000 e^(-0.03 / 260) = 999.885 shows without decimals.
  EXPECT_EQ(lines[22],
            " Impl.f.  1000  1000  1000  1000  1000  1000  1000  1000  1000  1000  1000");

  std::vector<std::string> expected;
  const std::vector<std::string> lookup = {"DaysStep error", "Error 33"};
  for (int column = 0; column < 11; ++column)
    expected.insert(expected.end(), lookup.begin(), lookup.end());
  for (int cell = 0; cell < 121; ++cell) {
    expected.insert(expected.end(), lookup.begin(), lookup.end());
    expected.push_back("Internal error: Days < 0");
  }
  for (int column = 0; column < 11; ++column)
    expected.insert(expected.end(), lookup.begin(), lookup.end());
  EXPECT_EQ(platform.Messages, expected);
}

TEST_P(FairValueReportTest, UnknownPositionAbandonsComputeAndKeepsThePanes) {
  form.RichEdit1.SetText("previous fair value");
  form.RichEdit2.SetText("previous delta");
  form.PositionName.SetText("Strangle");
  ComputeFairValuePage();
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"Error: Not recognized: Strangle"});
  EXPECT_EQ(form.RichEdit1.Lines(), std::vector<std::string>{"previous fair value"});
  EXPECT_EQ(form.RichEdit2.Lines(), std::vector<std::string>{"previous delta"});
  EXPECT_FALSE(platform.Busy);
}

TEST_P(FairValueReportTest, CsvReadsBackToTheNumbersThePaneShows) {
  ComputeFairValuePage();
  const std::optional<TExports::TExport> kept = exports.Find(form.RichEdit1);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->FileName, "fair-value.csv");

  // The file's records, split at CR LF and commas (numbers need no quotes).
  std::vector<std::vector<std::string>> records;
  const std::string text = CsvText(*kept->Table);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    std::vector<std::string> fields;
    std::stringstream line(text.substr(at, end - at));
    for (std::string field; std::getline(line, field, ',');) fields.push_back(field);
    records.push_back(fields);
    at = end + 2;
  }
  ASSERT_EQ(records.size(), 13u);  // header, eleven rows, the implied forwards
  EXPECT_EQ(records[0], (std::vector<std::string>{"Strike", "20 days", "18 days", "16 days",
                                                  "14 days", "12 days", "10 days", "8 days",
                                                  "6 days", "4 days", "2 days", "0 days"}));

  // The pane's rows and last line, cut into the label and six-character cells.
  std::vector<std::string> rows;
  for (const std::string& line : form.RichEdit1.Lines()) {
    if (line.size() == 74 && line.find('-') != 1) rows.push_back(line);
  }
  ASSERT_EQ(rows.size(), 12u);
  // A printed number and the file's reading of it agree to the printed decimals.
  const auto expectSame = [](const std::string& printed, const std::string& field) {
    SCOPED_TRACE(printed + " / " + field);
    const std::size_t point = printed.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(printed.size() - point - 1);
    EXPECT_EQ(FormatFixed(std::stod(field), decimals), printed);
  };
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string>& record = records[r + 1];
    ASSERT_EQ(record.size(), 12u);
    const std::string_view row = rows[r];
    const std::string label(StripBlanks(row.substr(0, 8)));
    if (r < 11) {
      expectSame(label, record[0]);
    } else {
      EXPECT_EQ(label, "Impl.f.");
      EXPECT_EQ(record[0], "Impl.f.");
    }
    for (std::size_t c = 0; c < 11; ++c) {
      expectSame(std::string(StripBlanks(row.substr(8 + 6 * c, 6))), record[c + 1]);
    }
  }
}

TEST_P(FairValueReportTest, TheRateOfAnEarlierComputeDoesNotReachTheReport) {
  // The same engine valued at 0.20 just before; the report values at the rate it reads.
  form.RiskFreeInterest.SetText("0.2");
  ComputeFairValuePage();
  form.RiskFreeInterest.SetText("0.03");
  ComputeFairValuePage();
  ASSERT_GE(form.RichEdit1.Lines().size(), 8u);
  EXPECT_EQ(form.RichEdit1.Lines()[7],
            " 1050.0   6.38  5.53  4.68  3.84  3.00  2.19  1.42  0.75  0.25  0.02  0.00");
}

TEST_P(FairValueReportTest, NumbersThatDoNotFitShowTheMark) {
  const struct {
    const char* Strike;
    const char* Price;
    const char* Step;
    // The first row's first and last cell, and the last row's last cell (0 days).
    const char* FirstRowFirst;
    const char* FirstRowLast;
    const char* LastRowLast;
  } kCases[] = {
      // Calls worth millions; nothing at expiration on the strikes above the price, five
      // million on the lowest strike.
      {"123456789", "123456789", "1000000", kOverflowCell, "  0.00", kOverflowCell},
      // Strikes of 1e30 leave every call worthless.
      {"1e30", "1000", "10", "  0.00", "  0.00", "  0.00"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Strike);
    form.StrikeEdit.SetText(c.Strike);
    form.PriceEdit.SetText(c.Price);
    form.Steps.SetText(c.Step);
    ComputeFairValuePage();
    const std::vector<std::string>& lines = form.RichEdit1.Lines();
    ASSERT_EQ(lines.size(), 23u);
    for (const std::size_t i : {7u, 8u, 9u, 10u, 11u, 13u, 15u, 16u, 17u, 18u, 19u}) {
      SCOPED_TRACE(lines[i]);
      ASSERT_EQ(lines[i].size(), 74u);
      EXPECT_EQ(lines[i].substr(0, 8), kOverflowAxis);
      // Every cell a number in six characters, or the mark.
      for (std::size_t cell = 8; cell < 74; cell += 6) {
        const std::string text = lines[i].substr(cell, 6);
        EXPECT_TRUE(text == kOverflowCell || TryParseNumber(text, '.').has_value()) << text;
      }
    }
    EXPECT_EQ(lines[7].substr(8, 6), c.FirstRowFirst);
    EXPECT_EQ(lines[7].substr(68, 6), c.FirstRowLast);
    EXPECT_EQ(lines[19].substr(68, 6), c.LastRowLast);
  }
}

TEST_P(FairValueReportTest, AxisNameIsCutOnACharacterBoundary) {
  // Seven blanks and the first character of the axis name, however many bytes it takes.
  const struct {
    const char* Axis;
    const char* Head;
  } kCases[] = {
      {"Strike", "       S"},
      {"\xEF\xBC\x91\xEF\xBC\x92", "       \xEF\xBC\x91"},  // fullwidth 1 and 2
      {"\xC3\xA9t\xC3\xA9", "       \xC3\xA9"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Axis);
    form.YAxis.SetText(c.Axis);
    ComputeFairValuePage();
    ASSERT_GE(form.RichEdit1.Lines().size(), 6u);
    EXPECT_EQ(
        form.RichEdit1.Lines()[5],
        std::string(c.Head) + "   20    18    16    14    12    10     8     6     4     2     0");
  }
}

}  // namespace
}  // namespace valquor
