#pragma once
// The Graph page of Pricing: the risk graph's request read from the window, computed as a
// command, and written into the chart, the greeks grid and the fields of the figures at
// expiration, with their exports.

#include "reports/Graph.h"
#include "shell/Command.h"

namespace valquor {

class TFormPersonal;

// The request as the window holds it: position, strike, step, the price (or the locked
// forward), volatility and the Options page's terms from the Pricing panel; days, true
// volatility and distribution from the Analysis page; the what-ifs of the Graph page. Reads as
// a command reads: an unknown position shows "Error: Not recognized: <name>" and throws EAbort;
// the first decimal number that is no number shows its message and throws EAbort; a day count
// that is no whole number throws EConvertError. Nothing is written.
[[nodiscard]] TGraphRequest ReadGraphRequest(TFormPersonal& form);

// The command that computes the graph and writes GraphChart, GreeksGrid, BreakevenEdit,
// MaxProfitEdit, MaxLossEdit, ProfitChanceEdit and ExpectedPLEdit, keeping the chart's and the
// greeks' tables for export ("risk-graph.csv", "greeks.csv").
[[nodiscard]] TCommand GraphCommand(TFormPersonal& form, const TGraphRequest& request);

// Compute (or Enter) with the Graph page in view: reads the request and runs the command.
void GraphCompute(TFormPersonal& form);

// Change handler of the what-if fields: draws the graph again, when it has been drawn and the
// three fields hold numbers (whole days); does nothing, and shows nothing, otherwise.
void WhatIfChange(TFormPersonal& form);

// Connects the what-if fields to WhatIfChange.
void ConnectGraphPage(TFormPersonal& form);

}  // namespace valquor
