#include "reports/ReportSupport.h"

#include <climits>
#include <cmath>

#include "models/NormalDistribution.h"
#include "models/ValuationTerms.h"

namespace valquor::detail {

double ChanceBelow(double level, double forward, double spread) {
  if (level <= 0 && forward > 0) return 0;
  return ProbabilityBelow(level, forward, spread);
}

std::string Rule(int dashes) {
  std::string rule(static_cast<std::size_t>(dashes) + 1, '-');
  rule[0] = ' ';
  return rule;
}

int AddDays(int days, int extra) {
  const long long sum = static_cast<long long>(days) + extra;
  return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
    ++end;
    // Continuation bytes (10xxxxxx) belong to the character before them.
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(text.substr(0, end));
}

double SqrtTradingYear() { return std::sqrt(static_cast<double>(kTradingDaysPerYear)); }

}  // namespace valquor::detail
