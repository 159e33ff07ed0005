#include "models/NormalDistribution.h"

#include <cmath>

#include "models/ArithmeticFault.h"
#include "models/ModelFaults.h"
#include "models/NormalKernel.h"

namespace valquor {

using detail::DescribeNumber;

double NormalCdf(double x) {
  if (std::isnan(x)) throw ArithmeticFault("normal distribution of an undefined number");
  return detail::NormalCdfKernel(x);
}

double ProbabilityBelow(double level, double forward, double spread) {
  if (!(forward > 0.0)) throw ArithmeticFault("ln of " + DescribeNumber(forward));
  if (std::isnan(spread)) throw ArithmeticFault("comparison with " + DescribeNumber(spread));
  const double mean = std::log(forward) - spread * spread / 2.0;
  if (!(spread > 0.0)) return 0.5;
  if (!(level > 0.0)) throw ArithmeticFault("ln of " + DescribeNumber(level));
  const double z = (std::log(level) - mean) / spread;
  if (std::isnan(z)) throw ArithmeticFault("invalid operation in the lognormal probability");
  return detail::NormalCdfKernel(z);
}

}  // namespace valquor
