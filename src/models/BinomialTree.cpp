#include "models/BinomialTree.h"

#include <limits>
#include <string>

#include "models/ModelFaults.h"
#include "models/OptionCRR.h"

// The node loops are built for several instruction sets and chosen at run time. Every clone
// performs the same IEEE operations in the same order (no contraction into fused multiply-adds,
// no reassociation), so results do not depend on which one runs.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VALQUOR_TREE_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define VALQUOR_TREE_CLONES
#endif

namespace valquor::detail {
namespace {

// Node values at expiry: sign * (u^i * price * d^(steps-i) - strike) where positive, else 0.
void ExpiryValues(float* __restrict nodes, const double* __restrict upPrice,
                  const double* __restrict downReversed, int steps, double sign, double strike) {
  for (int i = 0; i <= steps; ++i) {
    const double payoff = sign * (upPrice[i] * downReversed[i] - strike);
    nodes[i] = payoff > 0.0 ? static_cast<float>(payoff) : 0.0f;
  }
}

// In place, ascending j: node j of level m reads nodes j and j + 1 of level m + 1 before node
// j + 1 is overwritten, so vectors of consecutive j see the same values as the scalar loop.
VALQUOR_TREE_CLONES
void EuropeanInduction(float* __restrict nodes, int steps, double p, double q, double discount) {
  for (int m = steps - 1; m >= 0; --m) {
    for (int j = 0; j <= m; ++j) {
      nodes[j] = static_cast<float>((p * nodes[j + 1] + q * nodes[j]) * discount);
    }
  }
}

VALQUOR_TREE_CLONES
void AmericanInduction(float* __restrict nodes, const double* __restrict upPrice,
                       const double* __restrict downReversed, int steps, double p, double q,
                       double discount, double sign, double strike) {
  for (int m = steps - 1; m >= 0; --m) {
    // down[j] = Power(d, m - j)
    const double* __restrict down = downReversed + (steps - m);
    for (int j = 0; j <= m; ++j) {
      const double continuation = (p * nodes[j + 1] + q * nodes[j]) * discount;
      const double exercise = sign * (upPrice[j] * down[j] - strike);
      nodes[j] = static_cast<float>(exercise > continuation ? exercise : continuation);
    }
  }
}

// The put on a wide lattice: exercise value strike - level_m spread[2j - m], spread centred.
VALQUOR_TREE_CLONES
void WideInduction(float* __restrict nodes, const double* __restrict spread, int steps,
                   double price, double mean, double p, double q, double discount, double strike,
                   bool american) {
  for (int m = steps - 1; m >= 0; --m) {
    if (!american) {
      for (int j = 0; j <= m; ++j) {
        nodes[j] = static_cast<float>((p * nodes[j + 1] + q * nodes[j]) * discount);
      }
      continue;
    }
    const double level = price * std::exp(m * mean);
    const double* __restrict row = spread + (steps - m);  // row[2j]: e^((2j - m) half)
    for (int j = 0; j <= m; ++j) {
      const double continuation = (p * nodes[j + 1] + q * nodes[j]) * discount;
      const double exercise = strike - level * row[2 * j];
      nodes[j] = static_cast<float>(exercise > continuation ? exercise : continuation);
    }
  }
}

[[noreturn]] void TreeFault(const std::string& what) {
  throw ArithmeticFault("binomial tree: " + what);
}

}  // namespace

TreeJob MakeTreeJob(bool isPut, bool american, int steps, float years, float sigma, float price,
                    float strike, double carry, double rate) {
  TreeJob job;
  job.IsPut = isPut;
  job.American = american;
  job.Steps = steps;
  job.Price = price;
  job.Strike = strike;
  const auto dt = static_cast<float>(double{years} / steps);
  job.Up = static_cast<float>(std::exp(sigma * std::sqrt(double{dt})));
  job.Down = static_cast<float>(1.0 / job.Up);
  job.Probability =
      static_cast<float>((std::exp(carry * dt) - job.Down) / (double{job.Up} - job.Down));
  job.Discount = static_cast<float>(std::exp(-rate * dt));
  if (!std::isfinite(job.Up)) TreeFault("overflow of the up factor");
  if (!(job.Up > job.Down)) TreeFault("division by zero (up factor equals down factor)");
  if (!std::isfinite(job.Probability)) {
    TreeFault("overflow of the probability (carry " + DescribeNumber(carry) + ")");
  }
  if (!std::isfinite(job.Discount)) {
    TreeFault("overflow of the discount factor (rate " + DescribeNumber(rate) + ")");
  }
  return job;
}

float PlainTree(const TreeJob& job, std::span<float> nodes) {
  const int steps = job.Steps;
  const double sign = job.IsPut ? -1.0 : 1.0;
  const double price = job.Price;
  const double strike = job.Strike;
  const double p = job.Probability;
  for (int i = 0; i <= steps; ++i) {
    const double payoff = sign * (double{Power(job.Up, static_cast<float>(i))} * price *
                                      double{Power(job.Down, static_cast<float>(steps - i))} -
                                  strike);
    nodes[i] = payoff > 0.0 ? static_cast<float>(payoff) : 0.0f;
  }
  for (int m = steps - 1; m >= 0; --m) {
    for (int j = 0; j <= m; ++j) {
      const double continuation = (p * nodes[j + 1] + (1.0 - p) * nodes[j]) * job.Discount;
      if (job.American) {
        const double exercise = sign * (double{Power(job.Up, static_cast<float>(j))} * price *
                                            double{Power(job.Down, static_cast<float>(m - j))} -
                                        strike);
        nodes[j] = static_cast<float>(exercise > continuation ? exercise : continuation);
      } else {
        nodes[j] = static_cast<float>(continuation);
      }
    }
  }
  return nodes[0];
}

std::span<float> TTreeWorkspace::Nodes(int steps) {
  return std::span<float>(nodes_).first(static_cast<std::size_t>(steps) + 1);
}

float TTreeWorkspace::Run(const TreeJob& job) {
  const int steps = job.Steps;
  const double sign = job.IsPut ? -1.0 : 1.0;
  const double price = job.Price;
  const double strike = job.Strike;
  const double p = job.Probability;
  // Power(base, k) is e^(k ln base): the logarithms are taken once, the powers once per k; and
  // a run of valuations on the same lattice (a report's grid of prices or strikes) reuses them.
  // Two lattices are kept: a calendar spread alternates between its two legs.
  TLattice* lattice = nullptr;
  for (TLattice& candidate : lattices_) {
    if (candidate.Up == job.Up && candidate.Down == job.Down && candidate.Steps == steps) {
      lattice = &candidate;
    }
  }
  if (lattice == nullptr) {
    lattice = &lattices_[nextLattice_];
    nextLattice_ = 1 - nextLattice_;
    const double lnUp = std::log(double{job.Up});
    const double lnDown = std::log(double{job.Down});
    for (int i = 0; i <= steps; ++i) {
      lattice->Powers[i] = PowerFromLog(lnUp, static_cast<float>(i));
      lattice->Powers[kSize + steps - i] = PowerFromLog(lnDown, static_cast<float>(i));
    }
    lattice->Up = job.Up;
    lattice->Down = job.Down;
    lattice->Steps = steps;
  } else {
    nextLattice_ = lattice == &lattices_[0] ? 1 : 0;
  }
  const double* const upPowers = lattice->Powers.data();
  const double* const downReversed = lattice->Powers.data() + kSize;
  double* const upPrice = powers_.data();
  for (int i = 0; i <= steps; ++i) upPrice[i] = upPowers[i] * price;
  ExpiryValues(nodes_.data(), upPrice, downReversed, steps, sign, strike);
  if (job.American) {
    AmericanInduction(nodes_.data(), upPrice, downReversed, steps, p, 1.0 - p, job.Discount, sign,
                      strike);
  } else {
    EuropeanInduction(nodes_.data(), steps, p, 1.0 - p, job.Discount);
  }
  return nodes_[0];
}

float TTreeWorkspace::RunWide(const TreeJob& job) {
  const int steps = job.Steps;
  const double lnUp = std::log(double{job.Up});
  const double lnDown = std::log(double{job.Down});
  const double half = (lnUp - lnDown) / 2.0;
  const double mean = (lnUp + lnDown) / 2.0;  // ln(ud) / 2: d is 1 / u rounded
  const double price = job.Price;
  const double strike = job.Strike;
  double* const spread = powers_.data();
  for (int k = -steps; k <= steps; ++k) spread[k + steps] = std::exp(k * half);
  const double level = price * std::exp(steps * mean);
  for (int i = 0; i <= steps; ++i) {
    const double payoff = strike - level * spread[2 * i];
    nodes_[i] = payoff > 0.0 ? static_cast<float>(payoff) : 0.0f;
  }
  const double p = job.Probability;
  WideInduction(nodes_.data(), spread, steps, price, mean, p, 1.0 - p, job.Discount, strike,
                job.American);
  return nodes_[0];
}

float BinomialValue(TMessageSink& messages, TTreeWorkspace& workspace, double daysPerYear,
                    bool american, float riskFree, bool isPut, int days, float strike, float price,
                    float volatility, float carry, int stepCount, TreeForm form) {
  if (std::isnan(strike) || std::isnan(price) || std::isnan(volatility) || std::isnan(carry)) {
    TreeFault("an undefined number among the option terms");
  }
  if (price < 0.1) return 0.0f;
  if (days < 1 || volatility < 0.001) {
    const double intrinsic =
        isPut ? double{strike} - double{price} : double{price} - double{strike};
    if (intrinsic <= 0.0001) return 0.0f;
    const auto result = static_cast<float>(intrinsic);
    if (!std::isfinite(result)) TreeFault("overflow of the intrinsic value");
    return result;
  }
  const auto years = static_cast<float>(days / daysPerYear);
  const auto sigma = static_cast<float>(0.01 * volatility);
  const auto spread = static_cast<float>(sigma * std::sqrt(double{years}));
  if (!std::isfinite(spread)) TreeFault("overflow of the spread");
  if (spread < 0.0001) {
    messages.ShowMessage(DaysVolMessage("1086", days, volatility), TMessageKind::Error);
    return 0.0f;
  }
  if (carry < 0.0f) return 0.0f;
  if (stepCount <= 0) return 0.0f;
  if (stepCount > kMaxSteps) {
    messages.ShowMessage("Number of steps too large", TMessageKind::Error);
    return 0.0f;
  }

  const TreeJob job =
      MakeTreeJob(isPut, american, stepCount, years, sigma, price, strike, carry, riskFree);
  if (form == TreeForm::Plain) return PlainTree(job, workspace.Nodes(stepCount));
  // Where u^steps leaves the single-precision range the straightforward tree faults; the wide
  // lattice values a put there.
  const bool wide =
      !std::isfinite(PowerFromLog(std::log(double{job.Up}), static_cast<float>(stepCount)));
  const auto run = [&](const TreeJob& tree) {
    return wide ? workspace.RunWide(tree) : workspace.Run(tree);
  };
  float value = std::numeric_limits<float>::quiet_NaN();
  if (isPut || !wide) value = run(job);
  // The node prices of a call outgrow the single-precision range at many steps and a high
  // volatility. Its value equals that of a put on the same lattice with price and strike
  // exchanged, carry -b and rate r - b (put-call symmetry, exact on the tree for European and
  // American exercise alike); a put's node values stay below its strike.
  const bool soundLattice = job.Probability >= 0.0f && job.Probability <= 1.0f;
  if (!std::isfinite(value) && !isPut && strike > 0.0f && soundLattice) {
    value = run(MakeTreeJob(true, american, stepCount, years, sigma, strike, price, -double{carry},
                            double{riskFree} - double{carry}));
  }
  if (!std::isfinite(value)) TreeFault("overflow of the node values");
  // With p outside 0..1 the tree can give a negative value; it is returned as it is, and the
  // reports say so ("Error call").
  return value;
}

}  // namespace valquor::detail
