#pragma once
// One daily price series of at most 3000 records, read from a price text file: a header line
// "D;O;H;L;C;V;S;<value>;<value>;<integer>;<name>", then one "yyyymmdd;open;high;low;close;
// volume;S" record per trading day, oldest first. The arrays are indexed 1..Count (index 0 is
// never data); the clipboard reader fills Close and Count only.

#include <array>
#include <cstdint>
#include <string>

#include "forms/Platform.h"

namespace valquor {

inline constexpr int kMaxPrices = 3000;
// A line of a price file (or of the clipboard) is kept up to this many characters; a price
// record line longer than that is no record.
inline constexpr std::size_t kMaxPriceLineLength = 64 * 1024;

// Status codes of TPrices::LoadFromFile.
inline constexpr std::uint8_t kPricesLoaded = 0;
inline constexpr std::uint8_t kPricesNoFile = 2;        // no regular file at the path
inline constexpr std::uint8_t kPricesHeaderFailed = 3;  // the header could not be read
inline constexpr std::uint8_t kPricesBadHeader = 4;
inline constexpr std::uint8_t kPricesNoCloses = 5;      // no record with a positive close
inline constexpr std::uint8_t kPricesTooMany = 6;       // more than 3000 records
inline constexpr std::uint8_t kPricesReadFailed = 7;    // a record line could not be read
inline constexpr std::uint8_t kPricesDateOrder = 9;     // a date before the previous one
inline constexpr std::uint8_t kPricesZeroOpen = 10;     // a positive close with a zero open
inline constexpr std::uint8_t kPricesOpenOutside = 11;  // open above the high or below the low
inline constexpr std::uint8_t kPricesBadDate = 12;
inline constexpr std::uint8_t kPricesCheckFailed = 13;  // a value the check cannot compare

class TPrices {
 public:
  explicit TPrices(TPlatform& platform) : platform_(platform) {}

  std::array<double, kMaxPrices + 1> Date{};  // day numbers (models/Dates.h), ascending
  std::array<float, kMaxPrices + 1> Open{};
  std::array<float, kMaxPrices + 1> High{};
  std::array<float, kMaxPrices + 1> Low{};
  std::array<float, kMaxPrices + 1> Close{};
  std::array<float, kMaxPrices + 1> Volume{};
  std::array<float, kMaxPrices + 1> S{};  // seventh column, kept but not used
  int Count = 0;
  std::uint8_t Status = kPricesLoaded;
  std::string FileName;    // the path as passed to LoadFromFile
  std::string Symbol;      // upper-case file name without its last four characters
  std::string SeriesName;  // the header's name, else Symbol
  float HeaderValue1 = 0;
  float HeaderValue2 = 0;
  std::uint8_t HeaderInteger = 0;  // modulo 256

  // Resets the series and reads it from a price file, setting Status (codes above). In the file
  // name "&" and "," are read as "_". Lines end in LF, CR LF or CR; a header or record line
  // longer than kMaxPriceLineLength gives status 3 or 7; reading stops at 3000 records (and at
  // a million record lines, however many repeat a day: status 6), so a file of any size is read
  // in bounded memory and time. An unconvertible number shows
  // "'StrToFloat' error22: <text>" and is stored as -999; a date before the previous record's
  // shows "<new date>  <previous date>   <record number>" (status 9). A header integer that is
  // not one throws EConvertError.
  void LoadFromFile(const std::string& path);

  // The check pass over records 1..Count after a load: 10 for a positive close with an open
  // below 0.0001, 11 for an open outside the day's range (12 instead when the record is dated
  // before 1900-01-01 or after 2040-01-01), 13 for a value that is not finite, 5 when no close
  // is above 0.0001, else 0.
  [[nodiscard]] std::uint8_t CheckRecords() const;

 private:
  void Reset();
  [[nodiscard]] std::uint8_t ReadHeader(const std::string& header);

  TPlatform& platform_;
};

}  // namespace valquor
