#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "VolatilityTestSupport.h"
#include "volatility/Prices.h"

namespace valquor {
namespace {

using voltest::DateText;
using voltest::Day;
using voltest::TScratchFolder;
using voltest::WriteFile;

const std::string kHeader = "D;O;H;L;C;V;S;0.01;1;2;Example Corp\r\n";

// One record line with open, high and low equal to the close.
std::string Record(int day, const std::string& close, const std::string& eol = "\r\n") {
  return DateText(day) + ";" + close + ";" + close + ";" + close + ";" + close + ";1000;0" + eol;
}

// count records on consecutive calendar days from 2001-03-05, closes 100, 101, 102 ...
std::string Records(int count, const std::string& eol = "\r\n") {
  std::string text;
  const int first = Day(2001, 3, 5);
  for (int i = 0; i < count; ++i) text += Record(first + i, std::to_string(100 + i % 50), eol);
  return text;
}

struct TLoad {
  explicit TLoad(const std::string& name = "prices.txt") : Path((Folder / name).string()) {}
  TScratchFolder Folder;
  std::string Path;
  TScriptedPlatform Platform;
  std::unique_ptr<TPrices> Prices = std::make_unique<TPrices>(Platform);
  void Load(std::string_view content) {
    WriteFile(Path, content);
    Prices->LoadFromFile(Path);
  }
};

struct TStatusCase {
  const char* Label;
  std::string Content;
  std::uint8_t Status;
  int Count;
};

TEST(PricesLoadFromFile, GivesEachStatusOfItsFile) {
  const int monday = Day(2001, 3, 5);
  const std::string longLine(kMaxPriceLineLength + 1, '1');
  const std::vector<TStatusCase> cases = {
      {"three records", kHeader + Records(3), kPricesLoaded, 3},
      {"header longer than a line may be", "D;O;H;L;C;V;S;0;0;0;" + longLine + "\n",
       kPricesHeaderFailed, 0},
      {"header of other columns", "D;O;H;L;C;V;X;0.01;1;2;Name\n" + Records(3), kPricesBadHeader,
       0},
      {"header without its third ';'", "D;O;H;L;C;V;S;0.01;1\n" + Records(3), kPricesBadHeader, 0},
      {"empty file", "", kPricesBadHeader, 0},
      {"header only", kHeader, kPricesNoCloses, 0},
      {"one record with a close of 0.005", kHeader + Record(monday, "0.005"), kPricesNoCloses, 0},
      {"all closes zero", kHeader + Records(0) + Record(monday, "0") + Record(monday + 1, "0"),
       kPricesNoCloses, 2},
      {"3001 records", kHeader + Records(3001), kPricesTooMany, 3000},
      {"an empty line after the 3000th record", kHeader + Records(3000) + "\r\n", kPricesTooMany,
       3000},
      {"exactly 3000 records", kHeader + Records(3000), kPricesLoaded, 3000},
      {"a day repeated a million times",
       kHeader + Records(1) +
           [] {
             std::string repeated;
             for (int i = 0; i < 1'000'000; ++i) repeated += "20010305\n";
             return repeated;
           }(),
       kPricesTooMany, 1},
      {"a record longer than a line may be",
       kHeader + Records(2) + DateText(monday + 5) + ";" + longLine + "\n", kPricesReadFailed, 2},
      {"a date before the one above", kHeader + Record(monday + 1, "100") + Record(monday, "101"),
       kPricesDateOrder, 1},
      {"a positive close with a zero open",
       kHeader + Records(2) + DateText(monday + 9) + ";0;101;99;100;1000;0\n" + Records(0),
       kPricesZeroOpen, 3},
      {"an open below 0.0001", kHeader + DateText(monday) + ";0.00005;101;0.00001;100;1;0\n",
       kPricesZeroOpen, 1},
      {"an open above the high", kHeader + DateText(monday) + ";11;10;9;10;1;0\n" + Records(0),
       kPricesOpenOutside, 1},
      {"an open below the low", kHeader + DateText(monday) + ";8;10;9;10;1;0\n", kPricesOpenOutside,
       1},
      {"30 February", kHeader + "20010230;1;1;1;1;1;0\n", kPricesBadDate, 0},
      {"a date written with slashes", kHeader + "2001/03/15;1;1;1;1;1;0\n", kPricesBadDate, 0},
      {"a date of four characters", kHeader + Records(1) + "2001;1;1;1;1;1;0\n", kPricesBadDate, 1},
      {"an open outside the range in 1899", kHeader + "18991231;11;10;9;10;1;0\n", kPricesBadDate,
       1},
      {"an open outside the range in 2041", kHeader + "20410102;11;10;9;10;1;0\n", kPricesBadDate,
       1},
  };
  for (const TStatusCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TLoad load;
    load.Load(c.Content);
    EXPECT_EQ(load.Prices->Status, c.Status);
    EXPECT_EQ(load.Prices->Count, c.Count);
  }
}

TEST(PricesLoadFromFile, OpensTheFileChosenAmpersandsAndCommasIncluded) {
  struct TCase {
    const char* Label;
    const char* Written;
    const char* Asked;
    std::uint8_t Status;
    const char* Symbol;
  };
  const TCase cases[] = {
      {"no file at all", nullptr, "none.txt", kPricesNoFile, "NONE"},
      {"A&B.txt", "A&B.txt", "A&B.txt", kPricesLoaded, "A&B"},
      {"only A_B.txt exists", "A_B.txt", "A&B.txt", kPricesNoFile, "A&B"},
      {"a comma and an ampersand", "a&b,c.txt", "a&b,c.txt", kPricesLoaded, "A&B,C"},
      {"a name of four characters", "abcd", "abcd", kPricesLoaded, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TLoad load;
    if (c.Written != nullptr)
      WriteFile(load.Folder / c.Written, "D;O;H;L;C;V;S;0;0;0;\n" + Records(2));
    const std::string asked = (load.Folder / c.Asked).string();
    load.Prices->LoadFromFile(asked);
    EXPECT_EQ(load.Prices->Status, c.Status);
    EXPECT_EQ(load.Prices->Symbol, c.Symbol);
    EXPECT_EQ(load.Prices->FileName, asked);
    if (c.Status == kPricesLoaded) {
      EXPECT_EQ(load.Prices->SeriesName, c.Symbol);
      EXPECT_EQ(load.Prices->Count, 2);
    }
  }
}

TEST(PricesLoadFromFile, TreatsADirectoryAsNoFile) {
  TLoad load;
  load.Prices->LoadFromFile(load.Folder.Path().string());
  EXPECT_EQ(load.Prices->Status, kPricesNoFile);
}

TEST(PricesLoadFromFile, ReadsTheHeaderFields) {
  struct TCase {
    const char* Label;
    const char* Header;
    float Value1;
    float Value2;
    int Integer;
    const char* Name;
  };
  const TCase cases[] = {
      {"example", "D;O;H;L;C;V;S;0.01;1;2;Example Corp", 0.01f, 1, 2, "Example Corp"},
      {"integer kept modulo 256", "D;O;H;L;C;V;S;1,5;-2;258;Name; with ;", 1.5f, -2, 2,
       "Name; with ;"},
      {"no name: the symbol", "D;O;H;L;C;V;S;0;0;0;", 0, 0, 0, "PRICES"},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "D;O;H;L;C;V;S;0;0;7;Marked",
       0, 0, 7, "Marked"},
      {"separator not examined", "D;O;H;L;C;V;SX3;4;5;Other", 3, 4, 5, "Other"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TLoad load;
    load.Load(std::string(c.Header) + "\n" + Records(2));
    EXPECT_EQ(load.Prices->Status, kPricesLoaded);
    EXPECT_FLOAT_EQ(load.Prices->HeaderValue1, c.Value1);
    EXPECT_FLOAT_EQ(load.Prices->HeaderValue2, c.Value2);
    EXPECT_EQ(load.Prices->HeaderInteger, c.Integer);
    EXPECT_EQ(load.Prices->SeriesName, c.Name);
    EXPECT_TRUE(load.Platform.Messages.empty());
  }
}

TEST(PricesLoadFromFile, NameIsCutAt200CharactersOfTheHeader) {
  TLoad load;
  const std::string header = "D;O;H;L;C;V;S;0;0;0;" + std::string(300, 'n');
  load.Load(header + "\n" + Records(1));
  EXPECT_EQ(load.Prices->SeriesName, std::string(200 - 6, 'n'));
}

TEST(PricesLoadFromFile, HeaderIntegerThatIsNoIntegerThrows) {
  TLoad load;
  WriteFile(load.Path, "D;O;H;L;C;V;S;0.01;1;x2;Name\n" + Records(2));
  try {
    load.Prices->LoadFromFile(load.Path);
    ADD_FAILURE() << "no EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'x2' is not a valid integer value");
  }
}

TEST(PricesLoadFromFile, ReadsTheSameSeriesWhateverTheLineEnds) {
  const char* kEnds[] = {"\n", "\r\n", "\r"};
  for (const char* eol : kEnds) {
    SCOPED_TRACE(testing::PrintToString(std::string(eol)));
    TLoad load;
    // The last line has no line end.
    std::string text = "D;O;H;L;C;V;S;0;0;0;Name" + std::string(eol) + Records(4, eol);
    text.resize(text.size() - std::string(eol).size());
    load.Load(text);
    ASSERT_EQ(load.Prices->Status, kPricesLoaded);
    ASSERT_EQ(load.Prices->Count, 4);
    EXPECT_EQ(load.Prices->SeriesName, "Name");
    for (int i = 1; i <= 4; ++i) {
      EXPECT_EQ(load.Prices->Date[i], Day(2001, 3, 5) + i - 1);
      EXPECT_FLOAT_EQ(load.Prices->Close[i], 99.0f + i);
    }
  }
}

TEST(PricesLoadFromFile, ReadsRecordFieldsAroundTheirSemicolons) {
  struct TCase {
    const char* Label;
    const char* Fields;           // after the date
    std::vector<float> Expected;  // open, high, low, close, volume, S
    std::vector<std::string> Messages;
  };
  const TCase cases[] = {
      {"example",
       "101.5;103;100.25;102.75;125000;0",
       {101.5f, 103, 100.25f, 102.75f, 125000, 0},
       {}},
      {"blanks around fields",
       " 101.5 ; 103;100.25 ;102.75;  125000 ;0 ",
       {101.5f, 103, 100.25f, 102.75f, 125000, 0},
       {}},
      {"empty and '-' fields", "101;;-;100;7", {101, 0, 0, 100, 7, 0}, {}},
      {"decimal commas", "101,5;103;100;102,75", {101.5f, 103, 100, 102.75f, 0, 0}, {}},
      {"a number that is none",
       "101;abc;100;101;1;0",
       {101, -999, 100, 101, 1, 0},
       {"'StrToFloat' error22: abc"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TLoad load;
    load.Load(kHeader + "20010315;" + c.Fields + "\n");
    const TPrices& p = *load.Prices;
    ASSERT_EQ(p.Count, 1);
    EXPECT_EQ(p.Date[1], Day(2001, 3, 15));
    const std::vector<float> got = {p.Open[1],  p.High[1],   p.Low[1],
                                    p.Close[1], p.Volume[1], p.S[1]};
    EXPECT_EQ(got, c.Expected);
    EXPECT_EQ(load.Platform.Messages, c.Messages);
  }
}

TEST(PricesLoadFromFile, KeepsTheFirstRecordOfADayAndSkipsEmptyLines) {
  TLoad load;
  const int monday = Day(2001, 3, 5);
  load.Load(kHeader + Record(monday, "100") + Record(monday, "200") + Record(monday + 1, "101") +
            "\r\n\n" + Record(monday + 2, "102") + "\r\n");
  EXPECT_EQ(load.Prices->Status, kPricesLoaded);
  ASSERT_EQ(load.Prices->Count, 3);
  EXPECT_EQ(load.Prices->Close[1], 100);
  EXPECT_EQ(load.Prices->Close[2], 101);
  EXPECT_EQ(load.Prices->Close[3], 102);
  EXPECT_EQ(load.Prices->Date[3], monday + 2);
}

TEST(PricesLoadFromFile, EmptyLinesAfterTheRecordsEndTheData) {
  TLoad load;
  load.Load(kHeader + Records(5) + "\r\n\r\n\r\n");
  EXPECT_EQ(load.Prices->Status, kPricesLoaded);
  EXPECT_EQ(load.Prices->Count, 5);
}

TEST(PricesLoadFromFile, ShowsTheDatesOfARecordOutOfOrder) {
  TLoad load;
  const int monday = Day(2001, 3, 5);
  load.Load(kHeader + Record(monday, "100") + Record(monday + 2, "101") + Record(monday + 1, "99"));
  EXPECT_EQ(load.Prices->Status, kPricesDateOrder);
  EXPECT_EQ(load.Platform.Messages, std::vector<std::string>{"2001-03-06  2001-03-07   3"});
  EXPECT_EQ(load.Prices->Count, 2);
}

TEST(PricesLoadFromFile, StartsEachLoadFromAnEmptySeries) {
  TLoad load;
  load.Load(kHeader + Records(5));
  ASSERT_EQ(load.Prices->Count, 5);
  load.Load("not a price file");
  EXPECT_EQ(load.Prices->Status, kPricesBadHeader);
  EXPECT_EQ(load.Prices->Count, 0);
  EXPECT_EQ(load.Prices->Close[1], 0);
  EXPECT_EQ(load.Prices->SeriesName, "");
}

TEST(PricesLoadFromFile, ReadsBinaryContentWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary.push_back(static_cast<char>((i * 7919) % 256));
  const std::vector<std::pair<std::string, std::uint8_t>> cases = {
      {binary, kPricesBadHeader},
      {kHeader + binary, kPricesBadDate},
      {kHeader + Records(2) + "2001" + '\0' + "0401;1;1;1;1;1;1\n", kPricesBadDate},
  };
  for (const auto& [content, status] : cases) {
    TLoad load;
    load.Load(content);
    EXPECT_EQ(load.Prices->Status, status);
  }
}

TEST(PricesCheckRecords, GivesThirteenForAValueItCannotCompare) {
  TScriptedPlatform platform;
  auto prices = std::make_unique<TPrices>(platform);
  prices->Count = 2;
  for (int i = 1; i <= 2; ++i) {
    prices->Date[i] = Day(2001, 3, 5) + i;
    prices->Open[i] = prices->High[i] = prices->Low[i] = prices->Close[i] = 100;
  }
  EXPECT_EQ(prices->CheckRecords(), kPricesLoaded);
  prices->High[2] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(prices->CheckRecords(), kPricesCheckFailed);
}

}  // namespace
}  // namespace valquor
