#include "compute/WorkControl.h"

#include <algorithm>

namespace valquor {

double TWorkControl::Fraction() const noexcept {
  const std::uint64_t planned = planned_.load(std::memory_order_relaxed);
  const std::uint64_t finished = finished_.load(std::memory_order_relaxed);
  if (planned == 0) return 0.0;
  if (finished >= planned) return finished == planned ? 1.0 : 0.99;
  return std::min(0.99, static_cast<double>(finished) / static_cast<double>(planned));
}

}  // namespace valquor
