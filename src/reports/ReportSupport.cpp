#include "reports/ReportSupport.h"

#include <climits>
#include <cmath>
#include <limits>

#include "models/ArithmeticFault.h"
#include "models/Format.h"
#include "models/NormalDistribution.h"

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

}  // namespace valquor::detail
