#pragma once
// The fault a model lets reach its caller.

#include <stdexcept>

namespace valquor {

// An arithmetic fault that a valuation cannot recover from (a logarithm of a non-positive
// number, an overflow, a division by zero). The text names the operation and the value and
// never shows a non-finite number.
class ArithmeticFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace valquor
