#pragma once
// The reader of a price text file: a header line "D;O;H;L;C;V;S;<value>;<value>;<integer>;<name>",
// then one "yyyymmdd;open;high;low;close;volume;S" record per trading day, oldest first, into a
// TPriceSeries.

#include <string>

#include "forms/Platform.h"
#include "volatility/PriceSeries.h"

namespace valquor {

class TPrices : public TPriceSeries {
 public:
  explicit TPrices(TPlatform& platform) : platform_(platform) {}

  // Resets the series and reads it from a price file, setting Status (codes above). Lines end
  // in LF, CR LF or CR; empty lines between records are skipped; a header or record line
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
