#pragma once
// One daily price series of at most 3000 records, as the volatility views read it: dates,
// open, high, low, close, volume and a seventh value per trading day, oldest first. The arrays
// are indexed 1..Count (index 0 is never data); the clipboard reader fills Close and Count only.
// TPrices (volatility/Prices.h) reads a series from a price text file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

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

struct TPriceSeries {
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
};

}  // namespace valquor
