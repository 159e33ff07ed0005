// The "What's this?" texts of every control: what the field means, its unit and its default,
// in the words of the manual, and the manual page that describes the control.

#include <string>
#include <vector>

#include "forms/Text.h"
#include "shell/FormPersonal.h"
#include "shell/HelpTopics.h"

namespace valquor {
namespace {

// The first topic of the controls; below it are the contents (0) and the positions.
constexpr int kFirstControlTopic = 100;

struct TText {
  const char* Window;
  const char* Control;
  const char* Page;
  const char* Text;
};

// clang-format off
const TText kTexts[] = {
    // The window and its pages.
    {"FormPersonal", "PageControl1", "index.html", "The main pages of Valquor: Pricing, Volatility, Calculator, Options and About. The window always opens on Pricing."},
    {"FormPersonal", "TabSheet1", "pricing.html", "Pricing: values the chosen position over a grid of strikes or forwards and days, with its delta and an analysis of holding it to expiration."},
    {"FormPersonal", "TabSheet4", "volatility.html", "Volatility: historical volatility from daily or weekly closes, and implied volatility from market premiums."},
    {"FormPersonal", "TabSheet2", "calculator.html", "Calculator: the premium of one option and the chance that buying it gains, and the over/under-pricing and risk calculators."},
    {"FormPersonal", "TabSheet5", "options.html", "Options: the valuation formula and its settings, the day counter and the report font. Every report uses these settings."},
    {"FormPersonal", "TabSheet8", "index.html", "About: the program's name and version."},

    // Pricing: the input panel.
    {"FormPersonal", "StrikeEdit", "pricing.html", "Strike price of the position's base leg, in the underlying's price units; the middle row of the tables on the strike axis. Default 1000."},
    {"FormPersonal", "DaysCombo", "pricing.html", "Day step of the table columns, in trading days: the columns run from ten steps down to 0 (\"2\": 20, 18 ... 0); a starred step runs from twenty steps down to ten (\"2*\": 40 ... 20). A typed entry is matched whatever its blanks. Kept between runs. Default 2."},
    {"FormPersonal", "Steps", "pricing.html", "Row step: the difference in strike (or forward) between adjacent rows of the tables, and the distance between the legs of spreads and butterflies, in price units. Default 10."},
    {"FormPersonal", "VolEdit", "pricing.html", "Volatility in percent per year that prices the options (20 means 20 %). Default 20."},
    {"FormPersonal", "PriceEdit", "pricing.html", "Current price of the underlying. Changing it recomputes the forward unless the forward is locked. Default 1000."},
    {"FormPersonal", "YAxis", "pricing.html", "What varies down the rows of the tables: the strike (with the forward fixed) or the forward (with the strike fixed). A typed name is matched whatever its letter case and blanks. Default Strike."},
    {"FormPersonal", "PositionName", "positions.html", "The position to value: one of 28 single options, spreads, straddles, futures, stock combinations and butterflies. A typed name is matched whatever its letter case and blanks (\"call spread\" selects Call spread). Its help topic follows the chosen position. Default Call."},
    {"FormPersonal", "ForwardEdit", "pricing.html", "Forward price of the underlying at expiration: the price grown at the risk-free rate over the first column's days, unless Lock is on; then the forward you type is used as it is. Default 1000."},
    {"FormPersonal", "MainForwardLock", "pricing.html", "Lock the forward: when on, the forward you type is kept and used instead of being recomputed from the price. Default off."},
    {"FormPersonal", "ComputeBtn", "pricing.html", "Computes the reports of the page in view: the fair value and delta tables, or the three Analysis reports. Enter presses it."},
    {"FormPersonal", "CopyBtn", "pricing.html", "Copies the report in view to the clipboard, with a heading line naming it (the fair value table has none); with the Graph in view, the greeks and the figures at expiration as text."},
    {"FormPersonal", "ExportBtn", "pricing.html", "Exports the report in view as a CSV file, the table's numbers in columns, to a file you choose (fair-value.csv for the fair value table)."},
    {"FormPersonal", "SpeedButton1", "index.html", "Opens this manual at its contents."},
    {"FormPersonal", "HelpContext", "index.html", "\"What's this?\": click it, then click any field to read what it means, its unit and its default."},

    // Pricing: the sub-pages.
    {"FormPersonal", "MainPageControl", "pricing.html", "The Pricing reports: Fair value, Delta, Analysis and the risk Graph. Fair value or Delta in view at closing is shown again at the next start, any other page as Analysis; the first start opens on Fair value."},
    {"FormPersonal", "TabPricing", "pricing.html", "Fair value: the value of the position for eleven strikes or forwards (rows) and eleven days to expiration (columns)."},
    {"FormPersonal", "TabDelta", "pricing.html", "Delta: how much the position's value changes when the underlying moves, over the rows of the fair value table."},
    {"FormPersonal", "TabAnalysis", "analysis.html", "Analysis: holding the position to expiration under the volatility you believe in: calculator, probabilities and payoff."},
    {"FormPersonal", "RichEdit1", "pricing.html", "The fair value table, written by Compute:\n- The head: the position and its legs, the price (Forward when locked) and volatility, the formula and its rate (the forward for integration).\n- \"S\" above the rows: the rows are strikes (Y-axis Strike); \"F\": forwards (Y-axis Forward). The columns are trading days to expiration.\n- The row between the two rules is the strike or forward you typed; each row above it is one step higher, each below one step lower.\n- With an integration formula every row has a second, unlabelled row: the second estimate, which counts each price interval's chance one grid step higher. The value lies about between the two; more intervals bring them closer.\n- \"Impl.f.\" (strike rows): the forward of each column, the price grown at the risk-free rate over its days (the locked forward in every column). \"Impl.p.\" (forward rows): the price each column implies, the forward discounted over its days."},
    {"FormPersonal", "Days1", "pricing.html", "Trading days to expiration for the delta report, a whole number. Kept between runs. Default 20."},
    {"FormPersonal", "RichEdit2", "pricing.html", "The delta report at Trading days to expiration (Days1), written by Compute with the fair value table:\n- \"premium\": the position's value.\n- Price change, Premium change: for a price move of the amount on the left (multiples of 1 % of the strike), the premium's change as a share of the price change: 39 % means the premium moves 0.39 for each 1.00 of price, an average delta of 0.39 over that move. A fall of the premium shows as a negative share. The small move (0.01 % of the strike) gives the delta itself.\n- Timevalue decay (value): how much the premium changes when that many days pass, price and volatility unchanged.\n- Timevalue decay (percent of U): the same decay as a percentage of U, 1 % of the strike (10.00 at a strike of 1000), the \"small positive change\" of the price it is set against: -6 % means a loss of about 0.60, 6 % of 10.00.\n- Volatility: for a change of the volatility by the points on the left, the premium's change in percent of the premium."},
    {"FormPersonal", "CalcDays", "analysis.html", "Trading days to expiration for the Analysis reports, a whole number. Default 20."},
    {"FormPersonal", "TrueVolEdit", "analysis.html", "True volatility: the volatility in percent per year that you believe the underlying will show; the Analysis reports judge the outcome with it. Default 20."},
    {"FormPersonal", "PageControl3", "analysis.html", "The Analysis reports: Calculator, Probabilities and Payoff. Compute writes all three."},
    {"FormPersonal", "TabCalc", "analysis.html", "Calculator: market premiums set against fair premiums at the true volatility, with the chance of a gain."},
    {"FormPersonal", "TabProb", "analysis.html", "Probabilities: the chances of the price ending in ranges around the forward at expiration."},
    {"FormPersonal", "TabPL", "analysis.html", "Payoff: average gain, average loss and the chance of a gain of the position held to each horizon of the day step."},
    {"FormPersonal", "UseCustomInput", "analysis.html", "When on, the calculator takes the market premiums you type in Call and Put instead of model values. Default off."},
    {"FormPersonal", "Call3", "analysis.html", "Market premium of the call, used when \"Use custom input\" is on. Default 0."},
    {"FormPersonal", "Put3", "analysis.html", "Market premium of the put, used when \"Use custom input\" is on. Default 0."},
    {"FormPersonal", "SumDividends", "analysis.html", "Sum of the dividends paid before expiration, in price units; subtracted from the price for the fair premiums. Default 0."},
    {"FormPersonal", "RichEdit10", "analysis.html", "The analysis calculator, written by Compute while the Analysis page is in view:\n- Formula, Option type, Risk-free interest: the model (integration counts as Black-Scholes here).\n- Market: the stock price and implied volatility (the panel's Volatility) that give the market premiums.\n- \"() = price when\": the premiums in brackets are fair premiums at this Forward (the price less the dividends, grown to expiration) and the True vol.\n- Call, Put: the market premium (or the one typed with Use custom input), the fair premium in brackets, overpricing or underpricing (market less fair), and P(gain): the chance that buying at the market premium gains at expiration.\n- The position's name and Value: its market value, its fair value in brackets and the difference."},
    {"FormPersonal", "MoreInt", "analysis.html", "Wide intervals: ranges of 5 % instead of 1 % in the probabilities report. Default off."},
    {"FormPersonal", "RichEdit8", "analysis.html", "The probabilities report, written by Compute while the Analysis page is in view:\n- Sigma: one standard deviation of the price over the days (and over one day), in price units, at the true volatility.\n- Change, Forward: a price level that many percent above or below the forward.\n- \">\" rows: the chance of ending above the level at expiration; \"<\" rows: the chance of ending below it.\n- Normal, Lognormal: under a normal and a lognormal price distribution; Medium: the mean of the two."},
    {"FormPersonal", "Adjust", "analysis.html", "Premium adjustment in fifths of a percent: each click of the arrows (5) changes the premium paid by 1 %. Default 0."},
    {"FormPersonal", "Button7", "analysis.html", "Sets the premium adjustment back to 0."},
    {"FormPersonal", "AnalysisFormula", "analysis.html", "The price distribution the payoff analysis assumes: normal, lognormal or the mean of both. A typed name is matched whatever its letter case and blanks. Default Normal distribution."},
    {"FormPersonal", "CostPerTrade", "analysis.html", "Total cost of entering and leaving the position (commissions), in price units; subtracted from every outcome. Default 0."},
    {"FormPersonal", "RichEdit3", "analysis.html", "The payoff analysis, written by Compute while the Analysis page is in view; one column per horizon of the day step, in trading days:\n- Premium: the position's market value when entered, Adjust applied. \"Impl.f.\": the forward of each column (\"Impl.p.\" on the Forward axis: the price the forward implies).\n- Av.gain, Av.loss: the average result of the outcomes that gain and of those that lose, in price units; P(gain): the chance of a gain; P&L: the expected result, P(gain) x Av.gain + (1 - P(gain)) x Av.loss.\n- Every line has a second, unlabelled line: the second estimate, which counts each price interval's chance at its upper end instead of its lower end. The truth lies about between the two.\n- The last line: the cost per trade taken off every outcome, or \"excluded\"."},

    // Volatility.
    {"FormPersonal", "PageControl2", "volatility.html", "The volatility pages: daily data, weekly data, the implied-volatility calculator and the implied-volatility analysis."},
    {"FormPersonal", "TabSheet6", "volatility.html", "Historical volatility over one, two and three months from daily closes read from a price file or the clipboard."},
    {"FormPersonal", "TabSheet7", "volatility.html", "Historical volatility from up to 13 weekly closes typed into the grid."},
    {"FormPersonal", "TabImplied", "volatility.html", "The implied volatility of one market premium."},
    {"FormPersonal", "TabSheet3", "volatility.html", "One volatility and one forward fitted to the market premiums of up to five strikes."},
    {"FormPersonal", "ClipBoardBtn", "volatility.html", "Reads closing prices from the clipboard, one per line, and reports their historical volatility."},
    {"FormPersonal", "Button1", "volatility.html", "Reads a price text file (header line D;O;H;L;C;V;S, one line per trading day) and reports its historical volatility."},
    {"FormPersonal", "Button4", "volatility.html", "Copies the daily-data report to the clipboard."},
    {"FormPersonal", "ExportDailyBtn", "volatility.html", "Exports the daily-data report as a CSV file, to a file you choose."},
    {"FormPersonal", "LatestFirst", "volatility.html", "First line is oldest: the order of the closes on the clipboard. Off: the first line is the newest close and the last line the oldest, as quote pages list them. On: the first line is the oldest close. For the two lines\n  101.50\n  100.00\noff reads a rise from 100.00 to today's 101.50, on a fall from 101.50 to today's 100.00. Default off; not kept between runs."},
    {"FormPersonal", "RichEdit4", "volatility.html", "The historical-volatility report from daily data:\n- The series' name and Count, the number of closes.\n- 1, 2 and 3 months: the annualised volatility in percent, each weighting the moves of about the last month (21 trading days, or 4 week ends), two months (42, 8) or three months (63, 12) most.\n- 1 day, 2 days and 1 week moves: measured from moves over that many days; from a price file the week line uses the closes at the week ends (\"n/a\" with fewer than two), from the clipboard five-day moves."},
    {"FormPersonal", "WeeksGrid", "volatility.html", "Weekly closes: week 0 (the newest) at the top down to week -12. The grid is kept between runs."},
    {"FormPersonal", "WeeklyBtn", "volatility.html", "Computes the weekly historical volatility and adds its report below the earlier ones. Enter presses it."},
    {"FormPersonal", "Button3", "volatility.html", "Empties the weekly report and all 13 closes."},
    {"FormPersonal", "Button2", "volatility.html", "Copies the weekly report to the clipboard."},
    {"FormPersonal", "ExportWeeklyBtn", "volatility.html", "Exports the weekly report as a CSV file, to a file you choose."},
    {"FormPersonal", "BitBtn2", "volatility.html", "Moves every close one row down, making room for a new newest week; the oldest close is dropped."},
    {"FormPersonal", "BitBtn3", "volatility.html", "Moves every close one row up; the newest close is dropped."},
    {"FormPersonal", "Button12", "volatility.html", "Saves the weekly closes to a weekly data file (.dat) you choose."},
    {"FormPersonal", "Button13", "volatility.html", "Loads the weekly closes from a weekly data file (.dat) you choose."},
    {"FormPersonal", "RichEdit9", "volatility.html", "The weekly-volatility reports; each Compute adds one:\n- Count: the number of closes used (the rows with a close).\n- Volatility: the annualised volatility in percent of the changes from week to week, measured against the close of the last filled row (the oldest week)."},
    {"FormPersonal", "Strike7", "volatility.html", "Strike price of the option whose implied volatility you want. Default 0."},
    {"FormPersonal", "Price7", "volatility.html", "Current price of the underlying. Default 0."},
    {"FormPersonal", "Premium7", "volatility.html", "Market premium of the option. Default 0."},
    {"FormPersonal", "Riskfree7", "volatility.html", "Risk-free interest per year as a fraction (0.05 means 5 %); the risk calculator uses it too. Default 0.05."},
    {"FormPersonal", "Days7", "volatility.html", "Days to expiration, a whole number, counted as chosen under Day counting. Default 0."},
    {"FormPersonal", "OptionType7", "volatility.html", "Whether the premium is a call's or a put's. Default Call."},
    {"FormPersonal", "DaysOption7", "volatility.html", "Day counting: trading days (260 a year) or all calendar days (365 a year). Default Trading days."},
    {"FormPersonal", "Button8", "volatility.html", "Finds the implied volatility of the premium. Enter presses it."},
    {"FormPersonal", "Edit6", "volatility.html", "The implied volatility found, in percent per year."},
    {"FormPersonal", "IVModelLabel", "volatility.html", "Model: what the last Compute valued with, the formula (for Cox-Ross-Rubenstein its exercise style, steps and cost of carry), this page's rate and the day basis, as in \"Black-Scholes, rate 0.05, 260-day year\"."},
    {"FormPersonal", "Grid", "volatility.html", "Up to five strikes with the market premiums of their call and put; a premium may be a bid and an ask, as in 2.00-2.20. Kept between runs."},
    {"FormPersonal", "DaysEdit", "volatility.html", "Trading days to expiration of the options in the grid, a whole number. Default 15."},
    {"FormPersonal", "ForwardRes", "volatility.html", "The implied forward found by the analysis; with Lock on, the forward you type here is used instead. Default 100."},
    {"FormPersonal", "VolRes", "volatility.html", "The average implied volatility in percent found by the analysis; with \"Lock both\" on, the volatility you type here is used. Default 45.4."},
    {"FormPersonal", "Locked", "volatility.html", "Lock: keep the forward typed in Implied forward and fit only the volatility. Default off."},
    {"FormPersonal", "BothLocked", "volatility.html", "Lock both: keep the forward and the volatility as typed and only compare them with the premiums. Default off."},
    {"FormPersonal", "DevLabel", "volatility.html", "Standard deviation of the fit: the root mean square of the differences between market and fair premiums."},
    {"FormPersonal", "VolAnalysis", "volatility.html", "Runs the implied-volatility analysis of the grid. Enter presses it."},
    {"FormPersonal", "BtnCopy2", "volatility.html", "Copies the implied-volatility report to the clipboard with a heading line."},
    {"FormPersonal", "ExportImpliedBtn", "volatility.html", "Exports the implied-volatility report as a CSV file, to a file you choose."},
    {"FormPersonal", "RichEdit6", "volatility.html", "The implied-volatility analysis report:\n- The head: the formula and the days, the implied forward and the rate, the average implied volatility that fits all premiums.\n- Medium prices: the market premiums of each strike, the middle of bid and ask when a range is typed.\n- Fair prices: the premiums at the implied forward and the average implied volatility. Difference: market less fair.\n- Av. implied vol: the fitted volatility, the same for every premium. Implied vol: the volatility each premium implies by itself at the implied forward, in whole percent. Difference: its own less the average."},

    // Calculator.
    {"FormPersonal", "Strike9", "calculator.html", "Strike price of the option. Default 0."},
    {"FormPersonal", "Price9", "calculator.html", "Current price of the underlying. Default 0."},
    {"FormPersonal", "Vol9", "calculator.html", "Volatility in percent per year (20 means 20 %). Default 0."},
    {"FormPersonal", "RiskFree9", "calculator.html", "Risk-free interest per year as a fraction (0.05 means 5 %); typing it also sets the cost of carry. Default 0.05."},
    {"FormPersonal", "CostofCarry9", "calculator.html", "Cost of carry per year as a fraction, used by the Cox-Ross-Rubenstein formula only. Default 0.05."},
    {"FormPersonal", "Days9", "calculator.html", "Days to expiration, a whole number, counted as chosen under Day counting. Default 0."},
    {"FormPersonal", "OptionType9", "calculator.html", "Whether to value a call or a put. Default Call."},
    {"FormPersonal", "DaysOption", "calculator.html", "Day counting: trading days (260 a year) or all calendar days (365 a year). Default Trading days."},
    {"FormPersonal", "Button9", "calculator.html", "Computes the premium and the chance of a gain with the formula chosen on the Options page. Enter presses it."},
    {"FormPersonal", "Label43", "calculator.html", "The formula the last calculation used."},
    {"FormPersonal", "Label45", "calculator.html", "The exercise style the last calculation used: European or American."},
    {"FormPersonal", "Edit8", "calculator.html", "The option's fair premium under the chosen formula, in price units."},
    {"FormPersonal", "Edit3", "calculator.html", "P(gain): the chance in percent that buying the option at this premium gains at expiration."},
    {"FormPersonal", "CalcModelLabel", "calculator.html", "Model: what the last Compute valued with, the formula (for Cox-Ross-Rubenstein its exercise style, steps and cost of carry), this page's rate and the day basis, as in \"Binomial, American, 300 steps, rate 0.05, carry 0.03, 260-day year\"."},
    {"FormPersonal", "CarryNote", "calculator.html", "The cost of carry is used by the Cox-Ross-Rubenstein formula only."},
    {"FormPersonal", "OverUnderCaption", "calculator.html", "The two calculators for judging a market premium."},
    {"FormPersonal", "Button10", "calculator.html", "Opens the over/under-pricing calculator beside the main window."},
    {"FormPersonal", "Button11", "calculator.html", "Opens the risk calculator: how much of the premium is at risk when the price moves two standard deviations against the position."},

    // Options.
    {"FormPersonal", "FormulaGroup", "options.html", "The valuation formula of every report."},
    {"FormPersonal", "Formula", "options.html", "The valuation formula of the Pricing reports and the implied-volatility analysis: Black-Scholes, the Cox-Ross-Rubenstein binomial tree, or numeric integration over a normal, a lognormal or the medium distribution (the mean of the two). A typed name is matched whatever its letter case and blanks; any other text is refused with \"Unknown formula\" and the previous formula stays. The Calculator, the IV Calculator and the risk calculator use Black-Scholes, or Cox-Ross-Rubenstein for any other choice. Default Black-Scholes."},
    {"FormPersonal", "RiskFreeGroup", "options.html", "The risk-free interest rate of the Pricing reports."},
    {"FormPersonal", "RiskFreeInterest", "options.html", "Risk-free interest per year as a fraction (0.03 means 3 %): it discounts option values and grows the price into the forward. Default 0.03."},
    {"FormPersonal", "RiskFreeNote", "options.html", "The rate is used by the Black-Scholes and Cox-Ross-Rubenstein formulas."},
    {"FormPersonal", "ExpirationStyle", "options.html", "Exercise style of the Cox-Ross-Rubenstein formula: European (at expiration only) or American (any day). Default European."},
    {"FormPersonal", "StepsGroup", "options.html", "The number of steps of the binomial tree."},
    {"FormPersonal", "NumberOfSteps", "options.html", "Number of steps of the Cox-Ross-Rubenstein tree, 1 to 9999 (the most the tree takes): more steps give more precision and take longer; a larger number becomes 9999. Default 300."},
    {"FormPersonal", "StepsNote", "options.html", "The number of steps is used by the Cox-Ross-Rubenstein formula."},
    {"FormPersonal", "IntervalsGroup", "options.html", "Intervals of the numeric integration."},
    {"FormPersonal", "NumberOfIntervals", "options.html", "Number of intervals of the numeric integration used by the payoff analysis, 30 to 30000. Default 1000."},
    {"FormPersonal", "IntervalsNote", "options.html", "The number of intervals is used by the payoff analysis."},
    {"FormPersonal", "CarryGroup", "options.html", "The cost of carry of the binomial tree."},
    {"FormPersonal", "CostOfCarry", "options.html", "Cost of carry per year as a fraction (the underlying's drift), used by the Cox-Ross-Rubenstein formula. Default 0.03."},
    {"FormPersonal", "CarryGroupNote", "options.html", "The cost of carry is used by the Cox-Ross-Rubenstein formula."},
    {"FormPersonal", "DaysGroup", "options.html", "Counts the days between two dates, to type into the day fields of the other pages."},
    {"FormPersonal", "StartDate", "options.html", "First date: the count starts the day after it. Today's date at every start."},
    {"FormPersonal", "EndDate", "options.html", "Last date, counted in. Today plus 30 days at every start."},
    {"FormPersonal", "UseTradingDays", "options.html", "When on, only Mondays to Fridays are counted (public holidays are not known); when off, every day. Default on."},
    {"FormPersonal", "Button5", "options.html", "Counts the days from the day after the start date up to and including the end date. Enter presses it."},
    {"FormPersonal", "CompDays", "options.html", "The number of days counted between the two dates."},
    {"FormPersonal", "FontGroup", "options.html", "The font of the report panes, kept between runs."},
    {"FormPersonal", "Button6", "options.html", "Chooses the font of the report panes (a fixed-pitch font keeps the tables aligned). The panes are emptied. Default Courier New, 10 points."},

    // About and the hidden buffers.
    {"FormPersonal", "ProductLabel", "index.html", "Valquor, options pricing for the private trader."},
    {"FormPersonal", "VersionLabel", "index.html", "The program's version: 2.3."},
    {"FormPersonal", "RichEdit7", "pricing.html", "Staging text of the Copy buttons (not shown)."},
    {"FormPersonal", "RichEdit5", "volatility.html", "The clipboard's text as last read (not shown)."},

    // The over/under-pricing dialog.
    {"FormWiz", "PageControl1", "dialogs.html", "The calculator's steps: premium, forward price, volatility, days and result."},
    {"FormWiz", "Tab", "dialogs.html", "Strike, market premium and type of the option."},
    {"FormWiz", "TabSheet2", "dialogs.html", "The forward price expected at expiration."},
    {"FormWiz", "TabSheet3", "dialogs.html", "The stock's historical volatility."},
    {"FormWiz", "TabSheet4", "dialogs.html", "Days to expiration and how they are counted."},
    {"FormWiz", "TabSheet5", "dialogs.html", "The result page, with the Compute and Close buttons."},
    {"FormWiz", "PremiumHeading", "dialogs.html", "State the option's strike and its market premium."},
    {"FormWiz", "Strike", "dialogs.html", "Strike price of the option. Default 100."},
    {"FormWiz", "Premium", "dialogs.html", "Market premium of the option. Default 5."},
    {"FormWiz", "OptionType", "dialogs.html", "Whether the option is a call or a put. Default Call."},
    {"FormWiz", "Button1", "dialogs.html", "Copies strike, volatility, days, option type and day counting from the main window's Calculator page."},
    {"FormWiz", "ForwardHeading", "dialogs.html", "State the forward price expected at expiration."},
    {"FormWiz", "ForwardPrice", "dialogs.html", "Forward price of the underlying at expiration. Default 101."},
    {"FormWiz", "VolatilityHeading", "dialogs.html", "State the stock's historical volatility."},
    {"FormWiz", "Vol", "dialogs.html", "Historical volatility in percent per year. Default 25."},
    {"FormWiz", "DaysHeading", "dialogs.html", "State the days to expiration and how they are counted."},
    {"FormWiz", "Days", "dialogs.html", "Days to expiration, a whole number. Default 30."},
    {"FormWiz", "DaysOption", "dialogs.html", "Day counting: trading days or all calendar days. Default Trading days."},
    {"FormWiz", "RichEdit1", "dialogs.html", "The over/under report: the fair value at the forward, volatility and days you state, the market premium, their difference in money and in percent, the verdict and the volatility the premium implies."},
    {"FormWiz", "CopyBtn", "dialogs.html", "Copies the over/under report to the clipboard."},
    {"FormWiz", "ExportBtn", "dialogs.html", "Saves the over/under report's figures as a CSV file (over-under.csv)."},
    {"FormWiz", "OKBtn", "dialogs.html", "Computes the over/under report with the Options page's formula and rate. Enter presses it."},
    {"FormWiz", "CancelBtn", "dialogs.html", "Closes the calculator; its fields are kept for the next time."},

    // The risk calculator.
    {"FormWiz2", "PageControl1", "dialogs.html", "The calculator's steps: premium, price, volatility, days and result."},
    {"FormWiz2", "Tab", "dialogs.html", "Strike, market premium and type of the option bought."},
    {"FormWiz2", "TabSheet2", "dialogs.html", "The current price of the stock."},
    {"FormWiz2", "TabSheet3", "dialogs.html", "The stock's historical volatility."},
    {"FormWiz2", "TabSheet4", "dialogs.html", "Days to expiration and days the position is held."},
    {"FormWiz2", "TabSheet5", "dialogs.html", "The risk report, with the Compute and Close buttons."},
    {"FormWiz2", "PremiumHeading", "dialogs.html", "State the option's strike and the premium paid."},
    {"FormWiz2", "Strike", "dialogs.html", "Strike price of the option. Default 100."},
    {"FormWiz2", "Premium", "dialogs.html", "Premium paid for the option. Default 5."},
    {"FormWiz2", "OptionType", "dialogs.html", "Call or put bought. Default Call."},
    {"FormWiz2", "Button1", "dialogs.html", "Copies strike, volatility, days, option type and day counting from the main window's Calculator page."},
    {"FormWiz2", "PriceHeading", "dialogs.html", "State the current stock price."},
    {"FormWiz2", "Price", "dialogs.html", "Current price of the underlying. Default 101 at every start."},
    {"FormWiz2", "VolatilityHeading", "dialogs.html", "State the stock's historical volatility."},
    {"FormWiz2", "Vol", "dialogs.html", "Historical volatility in percent per year. Default 25."},
    {"FormWiz2", "DaysHeading", "dialogs.html", "State the days to expiration and the days in position."},
    {"FormWiz2", "Days", "dialogs.html", "Days to expiration, a whole number. Default 20."},
    {"FormWiz2", "DaysInPosition", "dialogs.html", "Days you will hold the position, a whole number; the adverse move is two standard deviations over these days. Default 2 at every start."},
    {"FormWiz2", "DaysOption", "dialogs.html", "Day counting: trading days (260 a year) or all calendar days (365 a year). Default Trading days."},
    {"FormWiz2", "RichEdit1", "dialogs.html", "The risk report:\n- The option and strike, its days (trading or calendar) and the days in position, the formula and exercise style, the price and volatility as typed.\n- Sigma: one standard deviation of the price over the days in position, in price units.\n- P(2*sigma down), P(2*sigma up): the chances that the price ends that period more than two sigmas below or above.\n- Premium: the premium paid. Fair price: the option's value now.\n- New fair price if down (a call) or if up (a put): its value after the two-sigma move against it, with the days left.\n- Money at risk: the premium less that value, at least 0."},
    {"FormWiz2", "CopyBtn", "dialogs.html", "Copies the risk report to the clipboard."},
    {"FormWiz2", "ExportBtn", "dialogs.html", "Saves the risk report's figures as a CSV file (risk.csv)."},
    {"FormWiz2", "OKBtn", "dialogs.html", "Computes the risk report. Enter presses it."},
    {"FormWiz2", "CancelBtn", "dialogs.html", "Closes the calculator; its fields (but not price and days in position) are kept for the next time."},

    // Pricing: the Graph page (after the dialogs, so that the older topics keep their numbers).
    {"FormPersonal", "TabGraph", "graph.html", "Graph: the position's profit and loss over the price of the underlying today, on two dates on the way and at expiration, with its greeks and its figures at expiration."},
    {"FormPersonal", "GraphChart", "graph.html", "Profit and loss per unit of the position against the underlying's price, one line per date (labelled with the trading days left), valued at the implied volatility less today's value. Dashed lines: one and two standard deviations of the price at expiration under the true volatility; dotted lines: the breakevens. Hover for the figures, turn the wheel to zoom, double-click to see it whole."},
    {"FormPersonal", "GreeksGrid", "graph.html", "The greeks of each leg as the position holds it (sold legs negative, quantities included) and their total, at the what-if point. Black-Scholes greeks are exact; the tree and the integration models use central differences: the price one node of the tree up and down (1 % for the integration models), one trading day either way with the tree's steps unchanged, the volatility one point either way (half of itself below two points), the rate 0.1 point either way with the tree's carry (upwards only where the carry would fall below 0)."},
    {"FormPersonal", "BreakevenEdit", "graph.html", "The prices at expiration where the position neither gains nor loses, ascending and separated by \"; \"."},
    {"FormPersonal", "MaxProfitEdit", "graph.html", "The largest profit at expiration over all prices from 0 up, or unlimited. Calendar spreads: over the chart's prices, marked (in range)."},
    {"FormPersonal", "MaxLossEdit", "graph.html", "The largest loss at expiration over all prices from 0 up, or unlimited. Calendar spreads: over the chart's prices, marked (in range)."},
    {"FormPersonal", "ProfitChanceEdit", "graph.html", "The chance in percent that the position ends in profit at expiration, under the true volatility and the distribution chosen on the Payoff page."},
    {"FormPersonal", "ExpectedPLEdit", "graph.html", "The expected profit or loss at expiration per unit of the position, under the true volatility and the distribution chosen on the Payoff page."},
    {"FormPersonal", "WhatIfPrice", "graph.html", "What if the price moved by this many percent: the greeks are taken there and the chart marks the price. Kept between runs. Default 0."},
    {"FormPersonal", "WhatIfDays", "graph.html", "What if this many trading days passed (0 up to the days to expiration): the lines start there and the greeks are taken there. Kept between runs. Default 0."},
    {"FormPersonal", "WhatIfVol", "graph.html", "What if the implied volatility changed by this many points: the lines and the greeks use it. Kept between runs. Default 0."},

    // Volatility: the Chart page and the smile (after the Graph page, so that the older topics keep their numbers).
    {"FormPersonal", "TabHVChart", "volatility-insight.html", "Chart: the closes and the rolling volatility of the price series last read, its current estimators, the volatility cone with the implied volatilities placed on it, and how often the price really moved as far as the model says."},
    {"FormPersonal", "HVChartBtn", "volatility-insight.html", "Computes the page from the price series last read on \"HV using daily data\" (a price file or the clipboard). Enter presses it."},
    {"FormPersonal", "HVWindow", "volatility-insight.html", "The window of the rolling volatility in the lower chart: 10, 21 or 63 trading days. Kept between runs. Default 21 days."},
    {"FormPersonal", "HVCloseChart", "volatility-insight.html", "The closes of the series against their dates (against the record number for clipboard data, which has no dates). Hover for the date and the close; right-click to export them (closes.csv)."},
    {"FormPersonal", "HVChart", "volatility-insight.html", "The rolling volatility of the chosen window in percent per year, one line per estimator, at every day from the first full window on. Hover for the date and the values; right-click to export them (rolling-volatility.csv)."},
    {"FormPersonal", "EstimatorsGrid", "volatility-insight.html", "The five estimators over the last 10, 21 and 63 trading days, in percent per year; empty where the window is longer than the data or the estimator has too few usable records. Right-click to export (estimators.csv)."},
    {"FormPersonal", "SkippedLabel", "volatility-insight.html", "How many records the range estimators skipped in the longest window shown, for a missing or inconsistent open, high or low; for clipboard data, why the range estimators are empty."},
    {"FormPersonal", "ConeChart", "volatility-insight.html", "The volatility cone: the spread of the close-to-close volatility of every rolling window against the window's length, with the two implied volatilities as points at their windows."},
    {"FormPersonal", "ConeGrid", "volatility-insight.html", "For windows of 5 to 252 trading days: the minimum, quartiles, median, maximum and latest close-to-close volatility of all rolling windows, in percent per year. Right-click to export (volatility-cone.csv)."},
    {"FormPersonal", "IVPercentileEdit", "volatility-insight.html", "Where the IV Calculator's last result and the analysis' average implied volatility sit among the historical volatilities of the window closest to their days to expiration (calendar days count as 260/365 trading days)."},
    {"FormPersonal", "MoveOddsGrid", "volatility-insight.html", "Your own history against the model: the share of all windows of the Analysis page's trading days in which the close ended more than 1 % to 10 % up or down, beside the lognormal chance at the true volatility. Right-click to export (move-odds.csv)."},
    {"FormPersonal", "MoveOddsLabel", "volatility-insight.html", "The number of windows the move odds counted; with fewer than 30 the grid says \"too little history\"."},
    {"FormPersonal", "SmileChart", "volatility-insight.html", "The smile: the volatility each strike's call and put premium implies by itself against the strike, with the fitted volatility as a dashed line and the forward as a dotted line. Written by Compute with the report."},
    {"FormPersonal", "SmileLeftOut", "volatility-insight.html", "The premiums that no volatility from 0.1 % to 200 % reproduces, left out of the smile; empty when none was."},
};
// clang-format on

}  // namespace

const std::vector<THelpEntry>& HelpEntries() {
  static const std::vector<THelpEntry> kEntries = [] {
    std::vector<THelpEntry> entries;
    int topic = kFirstControlTopic;
    for (const TText& t : kTexts) {
      const bool positions =
          SameText(t.Control, "PositionName") && SameText(t.Window, "FormPersonal");
      entries.push_back(
          {t.Window, t.Control, t.Page, t.Text, positions ? kPositionHelpBase : topic});
      if (!positions) ++topic;
    }
    return entries;
  }();
  return kEntries;
}

int AssignHelp(TForm& window) {
  int assigned = 0;
  for (const THelpEntry& entry : HelpEntries()) {
    if (!SameText(entry.Window, window.Name())) continue;
    auto* control = dynamic_cast<TControl*>(window.FindComponent(entry.Control));
    if (control == nullptr) continue;
    control->WhatsThis = entry.Text;
    control->SetHelpContext(entry.Topic);
    ++assigned;
  }
  return assigned;
}

std::string ManualAnchor(const THelpEntry& entry) {
  if (SameText(entry.Window, "FormPersonal")) return entry.Control;
  return std::string(entry.Window) + "-" + entry.Control;
}

std::string ManualLocation(int topic) {
  if (topic >= kPositionHelpBase && topic < kPositionHelpBase + kPositionCount) {
    return "positions.html#position-" + std::to_string(topic - kPositionHelpBase + 1);
  }
  if (topic >= kFirstControlTopic) {
    for (const THelpEntry& entry : HelpEntries()) {
      if (entry.Topic == topic) return std::string(entry.Page) + "#" + ManualAnchor(entry);
    }
  }
  return "index.html";
}

void TFormPersonal::AssignHelpTexts() {
  AssignHelp(*this);
  AssignHelp(FormWiz);
  AssignHelp(FormWiz2);
  PositionNameChange();
}

}  // namespace valquor
