#include "volatility/Prices.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "forms/Text.h"
#include "models/Dates.h"
#include "models/Numbers.h"

namespace valquor {
namespace {

// Lines of a file that end in LF, CR LF or CR, read through a fixed buffer. A line is kept up to
// a maximum length and reading stops there, so no file makes it allocate or read without bound.
class TLineReader {
 public:
  enum class TRead { Line, TooLong, End, Failed };

  TLineReader(std::FILE* file, std::size_t maxLength)
      : file_(file), maxLength_(maxLength), buffer_(64 * 1024) {}

  // The next line, without its line end.
  TRead Next(std::string& line) {
    line.clear();
    int c = Peek();
    if (c == kEnd) return failed_ ? TRead::Failed : TRead::End;
    while (true) {
      // Copy the run of ordinary characters that the buffer holds.
      const char* begin = buffer_.data() + pos_;
      const char* end = buffer_.data() + size_;
      const char* stop = begin;
      while (stop != end && *stop != '\n' && *stop != '\r') ++stop;
      const std::size_t run = static_cast<std::size_t>(stop - begin);
      if (line.size() + run > maxLength_) {
        line.append(begin, maxLength_ - line.size());
        return TRead::TooLong;
      }
      line.append(begin, run);
      pos_ += run;
      c = Peek();
      if (c == kEnd) return failed_ ? TRead::Failed : TRead::Line;
      if (c == '\n' || c == '\r') break;
    }
    if (Get() == '\r' && Peek() == '\n') Get();
    return failed_ ? TRead::Failed : TRead::Line;
  }

  // True when no character follows the line last read.
  bool AtEnd() { return Peek() == kEnd; }
  [[nodiscard]] bool Failed() const { return failed_; }

 private:
  static constexpr int kEnd = -1;

  int Peek() {
    if (pos_ == size_ && !Fill()) return kEnd;
    return static_cast<unsigned char>(buffer_[pos_]);
  }
  int Get() {
    const int c = Peek();
    if (c != kEnd) ++pos_;
    return c;
  }
  bool Fill() {
    if (failed_) return false;
    pos_ = 0;
    size_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (size_ == 0 && std::ferror(file_) != 0) failed_ = true;
    return size_ != 0;
  }

  std::FILE* file_;
  std::size_t maxLength_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t size_ = 0;
  bool failed_ = false;
};

// Record lines read at most: records of one day repeated without end would otherwise keep the
// reader busy for as long as the file is large. No price file comes near it.
constexpr long kMaxRecordLines = 1'000'000;

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// The characters from a 0-based position on, at most count of them; empty past the end.
std::string_view Part(std::string_view text, std::size_t pos, std::size_t count) {
  return pos >= text.size() ? std::string_view() : text.substr(pos, count);
}

// The next ";"-separated field of a record: the rest is trimmed, the field is the text before
// its first ";" and the rest what follows. An empty field or "-" reads as "0".
std::string_view NextField(std::string_view& rest) {
  rest = TrimView(rest);
  std::string_view field;
  const std::size_t semicolon = rest.find(';');
  if (semicolon == std::string_view::npos) {
    field = rest;
    rest = {};
  } else {
    field = rest.substr(0, semicolon);
    rest.remove_prefix(semicolon + 1);
  }
  if (field.empty() || field == "-") return "0";
  return field;
}

// A "yyyymmdd" date as a day number; nothing for a text of fewer than five characters, a part
// that is not an integer or a date that does not exist.
std::optional<int> ReadDate(std::string_view text) {
  if (text.size() < 5) return std::nullopt;
  const std::optional<int> year = TryStrToInt(Part(text, 0, 4));
  const std::optional<int> month = TryStrToInt(Part(text, 4, 2));
  const std::optional<int> day = TryStrToInt(Part(text, 6, 2));
  if (!year || !month || !day) return std::nullopt;
  return EncodeDate(*year, *month, *day);
}

}  // namespace

void TPrices::Reset() {
  Date.fill(0);
  Open.fill(0);
  High.fill(0);
  Low.fill(0);
  Close.fill(0);
  Volume.fill(0);
  S.fill(0);
  Count = 0;
  SeriesName.clear();
  Symbol.clear();
  HeaderValue1 = 0;
  HeaderValue2 = 0;
  HeaderInteger = 0;
  Status = kPricesNoCloses;
}

std::uint8_t TPrices::ReadHeader(const std::string& header) {
  std::string_view text = header;
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  if (text.substr(0, 13) != "D;O;H;L;C;V;S") return kPricesBadHeader;
  std::string_view rest = Part(text, 14, 200);
  std::string_view fields[3];
  for (std::string_view& field : fields) {
    const std::size_t semicolon = rest.find(';');
    if (semicolon == std::string_view::npos) return kPricesBadHeader;
    field = rest.substr(0, semicolon);
    rest.remove_prefix(semicolon + 1);
  }
  const auto number = [](std::string_view field) {
    return field.empty() || field == "-" ? std::string_view("0") : field;
  };
  HeaderValue1 = ParseFloat(number(fields[0]), platform_);
  HeaderValue2 = ParseFloat(number(fields[1]), platform_);
  // Kept modulo 256, as the byte it is stored in.
  HeaderInteger = static_cast<std::uint8_t>(static_cast<unsigned>(StrToInt(fields[2])));
  SeriesName = rest.empty() ? Symbol : std::string(rest);
  return kPricesLoaded;
}

void TPrices::LoadFromFile(const std::string& path) {
  const std::filesystem::path chosen = path;
  FileName = path;
  Reset();
  const std::string name = UpperCase(chosen.filename().string());
  Symbol = name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();

  std::error_code error;
  if (!std::filesystem::is_regular_file(chosen, error)) {
    Status = kPricesNoFile;
    return;
  }
  const std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(chosen.c_str(), "rb"));
  if (!file) {
    Status = kPricesHeaderFailed;
    return;
  }
  TLineReader reader(file.get(), kMaxPriceLineLength);
  std::string line;
  const TLineReader::TRead headerRead = reader.Next(line);
  if (headerRead == TLineReader::TRead::TooLong || headerRead == TLineReader::TRead::Failed) {
    Status = kPricesHeaderFailed;
    return;
  }
  if (const std::uint8_t headerStatus = ReadHeader(line); headerStatus != kPricesLoaded) {
    Status = headerStatus;
    return;
  }

  bool zeroOpen = false;
  int k = 1;
  for (long lines = 1;; ++lines) {
    if (lines > kMaxRecordLines) {
      Status = kPricesTooMany;
      return;
    }
    const TLineReader::TRead read = reader.Next(line);
    if (read == TLineReader::TRead::End) break;
    if (read != TLineReader::TRead::Line) {
      Status = kPricesReadFailed;
      return;
    }
    if (line.empty()) continue;  // an empty line between records
    std::string_view rest = line;
    const std::optional<int> date = ReadDate(NextField(rest));
    if (!date) {
      Status = kPricesBadDate;
      return;
    }
    if (k > 1 && *date < Date[k - 1]) {
      platform_.ShowMessage(platform_.FormatShortDate(*date) + "  " +
                                platform_.FormatShortDate(static_cast<int>(Date[k - 1])) + "   " +
                                std::to_string(k),
                            TMessageKind::Error);
      Status = kPricesDateOrder;
      return;
    }
    if (k > 1 && *date == Date[k - 1]) continue;  // the earlier record of the day stays
    Date[k] = *date;
    for (std::array<float, kMaxPrices + 1>* column : {&Open, &High, &Low, &Close, &Volume, &S}) {
      (*column)[k] = ParseFloat(NextField(rest), platform_);
    }
    if (Close[k] > 0 && Open[k] == 0) zeroOpen = true;
    Count = k;
    if (reader.AtEnd()) {
      if (reader.Failed()) {
        Status = kPricesReadFailed;
        return;
      }
      break;
    }
    if (k == kMaxPrices) {
      Status = kPricesTooMany;
      return;
    }
    ++k;
  }
  if (zeroOpen) {
    Status = kPricesZeroOpen;
    return;
  }
  if (Count == 1 && Close[1] < 0.01f) Count = 0;
  Status = CheckRecords();
}

std::uint8_t TPrices::CheckRecords() const {
  static const double kFirstDay = *EncodeDate(1900, 1, 1);
  static const double kLastDay = *EncodeDate(2040, 1, 1);
  bool anyClose = false;
  for (int i = 1; i <= Count; ++i) {
    const float o = Open[i];
    const float h = High[i];
    const float l = Low[i];
    const float c = Close[i];
    if (!std::isfinite(o) || !std::isfinite(h) || !std::isfinite(l) || !std::isfinite(c) ||
        !std::isfinite(Date[i])) {
      return kPricesCheckFailed;
    }
    std::uint8_t fault = kPricesLoaded;
    if (c > 0 && o < 0.0001f) {
      fault = kPricesZeroOpen;
    } else if (o > 0 && h > 0 && l > 0 && c > 0 && (o > h || o < l)) {
      fault = kPricesOpenOutside;
    }
    if (fault != kPricesLoaded) {
      return Date[i] < kFirstDay || Date[i] > kLastDay ? kPricesBadDate : fault;
    }
    if (c > 0.0001f) anyClose = true;
  }
  return anyClose ? kPricesLoaded : kPricesNoCloses;
}

}  // namespace valquor
