#pragma once
// Internal to the models: the Cox-Ross-Rubinstein tree shared by TOptionCRR (260-day year) and
// TOptionCRR365 (365-day year). PlainTree follows the algorithm literally (Power at every use)
// and is kept for the tests; TTreeWorkspace::Run computes every power once per valuation and
// runs vectorised node loops, with the same results bit for bit. Where u^steps leaves the
// single-precision range (PlainTree faults there), RunWide forms the node prices in double.

#include <array>
#include <cmath>
#include <span>

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor::detail {

inline constexpr int kMaxSteps = 9999;

// One tree: the option and the lattice parameters, each in single precision.
struct TreeJob {
  bool IsPut = false;
  bool American = false;
  int Steps = 1;  // 1 to kMaxSteps
  float Price = 0.0f;
  float Strike = 0.0f;
  float Up = 0.0f;           // u = e^(sigma sqrt(dt))
  float Down = 0.0f;         // d = 1 / u
  float Probability = 0.0f;  // p = (e^(carry dt) - d) / (u - d), used even outside 0..1
  float Discount = 0.0f;     // e^(-rate dt)
};

// The lattice of a valuation that has passed its checks: dt = years / steps, then u, d, p and the
// discount factor from sigma, carry and rate (fractions). Throws ArithmeticFault when a
// parameter leaves the single-precision range or u does not exceed d.
[[nodiscard]] TreeJob MakeTreeJob(bool isPut, bool american, int steps, float years, float sigma,
                                  float price, float strike, double carry, double rate);

// e^(exponent * lnBase) stored in single precision: Power(base, exponent) when lnBase is
// ln(base). Overflow gives infinity.
[[nodiscard]] inline float PowerFromLog(double lnBase, float exponent) {
  return static_cast<float>(std::exp(double{exponent} * lnBase));
}

// The straightforward tree: expiry values from two Powers per node, then backward induction in
// place, with two Powers per node for the exercise value in the American case. nodes must hold
// job.Steps + 1 entries. Returns nodes[0]; a Power that overflows throws ArithmeticFault.
[[nodiscard]] float PlainTree(const TreeJob& job, std::span<float> nodes);

// Node storage and power tables of the fast tree, allocated once by the component that owns it.
class TTreeWorkspace {
 public:
  // The value of job's tree: the result and the node storage equal PlainTree's bit for bit
  // wherever PlainTree gives a finite value. A power that overflows is an infinite table entry
  // here rather than a fault, so the result may then be infinite or NaN; callers check it.
  [[nodiscard]] float Run(const TreeJob& job);
  // The value of a put (job.IsPut must be true) on a lattice whose powers u^steps leave the
  // single-precision range, where PlainTree faults: the node price u^j d^(m-j) price is formed
  // as price e^(m (ln u + ln d) / 2) e^((2j - m) (ln u - ln d) / 2) in double, which stays
  // exact to rounding as long as the node price itself is in range. Same recursion otherwise.
  [[nodiscard]] float RunWide(const TreeJob& job);
  // The node storage, entries 0 to steps; after a valuation entry 0 is the result.
  [[nodiscard]] std::span<float> Nodes(int steps);

 private:
  static constexpr std::size_t kSize = kMaxSteps + 1 + 16;  // room for a vector tail
  alignas(64) std::array<float, kSize> nodes_{};
  // Run: Power(u, i) * price. RunWide: e^(k (ln u - ln d) / 2) at k + steps, k = -steps..steps.
  alignas(64) std::array<double, 2 * kSize> powers_{};
  // Run's lattices, kept for later valuations with the same u, d and steps: Power(u, i) in the
  // first half, Power(d, steps - i) at i in the second half.
  struct TLattice {
    alignas(64) std::array<double, 2 * kSize> Powers{};
    float Up = 0.0f;
    float Down = 0.0f;
    int Steps = -1;
  };
  std::array<TLattice, 2> lattices_{};
  int nextLattice_ = 0;  // the slot a new lattice takes: the one used least recently
};

enum class TreeForm {
  Fast,   // TTreeWorkspace::Run or RunWide; a call whose node prices overflow valued by symmetry
  Plain,  // PlainTree, the direct backward induction, overflow and all (for the tests)
};

// The whole valuation of TOptionCRR and TOptionCRR365, years counted as days / daysPerYear.
// Shows "Option Error: 1086: ..." for terms it cannot value and "Number of steps too large";
// throws ArithmeticFault for faults inside the tree.
[[nodiscard]] float BinomialValue(TMessageSink& messages, TTreeWorkspace& workspace,
                                  double daysPerYear, bool american, float riskFree, bool isPut,
                                  int days, float strike, float price, float volatility,
                                  float carry, int stepCount, TreeForm form = TreeForm::Fast);

}  // namespace valquor::detail
