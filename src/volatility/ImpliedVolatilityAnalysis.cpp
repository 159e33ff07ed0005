// The "Implied volatility" tab: one volatility and one underlying price fitted to the call and
// put premiums of up to five strikes, the fit's error and each premium's own volatility.

#include <array>
#include <cmath>
#include <string>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "volatility/VolatilityPages.h"

namespace valquor {
namespace {

constexpr const char* kSystemSection = "System";
constexpr int kStrikeColumn = 1;
constexpr int kCallColumn = 2;
constexpr int kPutColumn = 3;

}  // namespace

float TVolatilityPages::ModelValue(bool isPut, int days, float strike, float price,
                                   float volatility) {
  float first = 0;
  float second = 0;
  return isPut ? dispatch_.PutValue(days, first, strike, price, volatility, second)
               : dispatch_.CallValue(days, first, strike, price, volatility, second);
}

float TVolatilityPages::TableError(float price, float volatility, bool squared) {
  float sum = 0;
  const auto add = [&sum, squared](float model, float market) {
    if (!(market > 0)) return;
    const float difference = model - market;
    sum += squared ? difference * difference : std::fabs(difference);
  };
  for (int r = 1; r <= kStrikeRows; ++r) {
    const float strike = Analysis.K[r];
    if (!(strike > 0)) continue;
    const float call = ModelValue(false, Analysis.Days, strike, price, volatility);
    const float put = ModelValue(true, Analysis.Days, strike, price, volatility);
    add(call, Analysis.CM[r]);
    add(put, Analysis.PM[r]);
  }
  return sum;
}

float TVolatilityPages::SearchImplVol(float price) {
  return SearchVolatility([this, price](float v) { return TableError(price, v, false); });
}

float TVolatilityPages::SearchImplPrice(float volatility) {
  const TErrorMeasure error = [this, volatility](float price) {
    return TableError(price, volatility, true);
  };
  // The first pass spans 10 % to 190 % of the mean of the first two strikes.
  const auto centre = static_cast<float>((double{Analysis.K[1]} + double{Analysis.K[2]}) / 2);
  const float f1 = PriceGridPass(0.1f, centre, error);
  const float f2 = PriceGridPass(0.01f, f1, error);
  return PriceGridPass(0.001f, f2, error);
}

float TVolatilityPages::StrikeImplVol(bool isPut, int days, float premium, float price,
                                      float strike) {
  float coarse = 0;
  float bestError = 9999999;
  for (int k = 1; k <= 20; ++k) {
    const auto candidate = static_cast<float>(10 * k);
    const float error = std::fabs(ModelValue(isPut, days, strike, price, candidate) - premium);
    if (error < bestError) {
      bestError = error;
      coarse = candidate;
    }
  }
  float fine = 0;
  bestError = 9999999;
  for (int g = -20; g <= 20; ++g) {
    const float candidate = coarse + static_cast<float>(g) / 2;
    if (candidate < 0.001f) continue;
    const float error = std::fabs(ModelValue(isPut, days, strike, price, candidate) - premium);
    if (error < bestError) {
      bestError = error;
      fine = candidate;
    }
  }
  return std::nearbyint(fine);  // halves to the even neighbour
}

void TVolatilityPages::ReadAnalysisTable() {
  const TStringGrid& grid = form_.Grid;
  for (int r = 1; r <= kStrikeRows; ++r) {
    Analysis.K[r] = 0;
    Analysis.CM[r] = 0;
    Analysis.PM[r] = 0;
    const std::string strikeText = grid.Cell(kStrikeColumn, r);
    if (strikeText.empty()) continue;
    Analysis.K[r] = ParseNumber(strikeText, platform_);
    if (Analysis.K[r] > 0) {
      Analysis.CM[r] = MediumPrice(grid.Cell(kCallColumn, r), platform_);
      Analysis.PM[r] = MediumPrice(grid.Cell(kPutColumn, r), platform_);
    }
  }
}

void TVolatilityPages::VolAnalysisClick() {
  panel_.RefreshReportInputs();
  const int days = StrToInt(form_.DaysEdit.Text());
  dispatch_.RefreshModelRates();
  if (days < 1) {
    platform_.ShowMessage("Days error", TMessageKind::Error);
    return;
  }
  if (form_.Locked.Checked() && ParseNumber(form_.ForwardRes.Text(), platform_) < 0.001f) {
    platform_.ShowMessage("Implied forward locked to zero", TMessageKind::Error);
    return;
  }

  TBusyCursor busy(platform_);
  ReadAnalysisTable();
  Analysis.Days = days;
  const float typedForward = ParseNumber(form_.ForwardRes.Text(), platform_);
  float price = dispatch_.PresentOf(days, true, typedForward);
  float volatility = ParseNumber(form_.VolRes.Text(), platform_);
  const bool bothLocked = form_.BothLocked.Checked();
  const bool forwardLocked = bothLocked || form_.Locked.Checked();
  if (bothLocked) {
    // The report is written for the forward and volatility as typed.
  } else if (forwardLocked) {
    volatility = SearchImplVol(price);
  } else {
    price = SearchImplPrice(volatility);
    volatility = SearchImplVol(price);
    price = SearchImplPrice(volatility);
    volatility = SearchImplVol(price);
    price = SearchImplPrice(volatility);
  }
  WriteAnalysisReport(days, price, volatility, forwardLocked, typedForward);
  dispatch_.RefreshModelRates();
}

void TVolatilityPages::WriteAnalysisReport(int days, float price, float volatility,
                                           bool forwardLocked, float typedForward) {
  TRichEdit& pane = form_.RichEdit6;
  pane.Clear();
  pane.Add(" Formula = " + form_.Formula.Text() +
           "      Trading days to expiration = " + FormatFixed(days, 0, 4));

  // A locked forward is shown as typed; a fitted one is the fitted price, rounded as a premium,
  // grown to expiration.
  std::string forward;
  if (forwardLocked) {
    forward = FormatFixed(typedForward, 2, 1);
  } else {
    const float rounded = ParseNumber(FormatPremium(price), platform_);
    forward = FormatFixed(dispatch_.ForwardOf(days, true, rounded), 2, 1);
  }
  form_.ForwardRes.SetText(forward);
  pane.Add(" Implied forward = " + forward +
           "     (Risk-free interest = " + form_.RiskFreeInterest.Text() + ")");
  form_.VolRes.SetText(FormatFixed(volatility, 1, 4));
  pane.Add(" Av. implied vol = " + form_.VolRes.Text() + "%");

  // Fair values of the rows that take part, valued once for the fit error and the tables.
  const bool fitted = volatility != 0 && price > 0;
  struct TFair {
    float Call = 0;
    float Put = 0;
  };
  std::array<TFair, kStrikeRows + 1> fair{};
  double squares = 0;
  int terms = 0;
  for (int r = 1; fitted && r <= kStrikeRows; ++r) {
    if (!(Analysis.K[r] > 0)) continue;
    fair[r].Call = ModelValue(false, days, Analysis.K[r], price, volatility);
    fair[r].Put = ModelValue(true, days, Analysis.K[r], price, volatility);
    if (Analysis.CM[r] > 0) {
      squares += std::pow(double{fair[r].Call} - Analysis.CM[r], 2);
      ++terms;
    }
    if (Analysis.PM[r] > 0) {
      squares += std::pow(double{fair[r].Put} - Analysis.PM[r], 2);
      ++terms;
    }
  }
  std::string deviation = "(";
  deviation += terms == 0 ? "0" : FormatFixed(std::sqrt(squares / terms), 2, 4);
  deviation += ')';
  form_.DevLabel.SetCaption(deviation);

  const auto strikeLabel = [this](int r) {
    std::string label = " ";
    label += PadLeft(form_.Grid.Cell(kStrikeColumn, r), 5);
    label += " -";
    return label;
  };
  const auto money = [](double x) { return FormatFixed(x, 2, 9); };
  const auto percent = [](double x) { return FormatFixed(x, 0, 8) + "%"; };
  const std::string columns =
      "             Call      Put        Call      Put        Call      Put";

  pane.Add("");
  pane.Add("  Strike     Medium prices        Fair prices          Difference");
  pane.Add(columns);
  for (int r = 1; fitted && r <= kStrikeRows; ++r) {
    if (!(Analysis.K[r] > 0)) continue;
    const float cm = Analysis.CM[r];
    const float pm = Analysis.PM[r];
    pane.Add(strikeLabel(r) + money(cm) + money(pm) + "   " + money(fair[r].Call) +
             money(fair[r].Put) + "   " + money(cm - fair[r].Call) + money(pm - fair[r].Put));
  }

  pane.Add("");
  pane.Add("             Av. implied vol      Implied vol          Difference");
  pane.Add(columns);
  for (int r = 1; fitted && r <= kStrikeRows; ++r) {
    if (!(Analysis.K[r] > 0)) continue;
    const float callVol = StrikeImplVol(false, days, Analysis.CM[r], price, Analysis.K[r]);
    const float putVol = StrikeImplVol(true, days, Analysis.PM[r], price, Analysis.K[r]);
    pane.Add(strikeLabel(r) + percent(volatility) + percent(volatility) + "   " + percent(callVol) +
             percent(putVol) + "   " + percent(double{callVol} - volatility) +
             percent(double{putVol} - volatility));
  }
}

void TVolatilityPages::LockedClick() {
  if (form_.Locked.Checked()) {
    form_.ForwardRes.SetEnabled(false);
  } else {
    form_.ForwardRes.SetEnabled(!form_.BothLocked.Checked());
  }
}

void TVolatilityPages::BothLockedClick() {
  if (form_.BothLocked.Checked()) {
    form_.ForwardRes.SetEnabled(false);
    form_.VolRes.SetEnabled(false);
  } else {
    form_.ForwardRes.SetEnabled(true);
    form_.VolRes.SetEnabled(true);
    if (form_.Locked.Checked()) form_.ForwardRes.SetEnabled(false);
  }
}

void TVolatilityPages::BtnSaveClick() {
  TIniProfile settings(SystemFolderFile(platform_), SettingsLockFile(platform_));
  settings.BeginUpdate();
  SaveGrid(settings);
  settings.EndUpdate();
}

bool TVolatilityPages::SaveGrid(TIniProfile& settings) {
  const TStringGrid& grid = form_.Grid;
  bool anyStrike = false;
  for (int r = 1; r <= kStrikeRows; ++r)
    anyStrike = anyStrike || !grid.Cell(kStrikeColumn, r).empty();
  if (!anyStrike) return false;
  // All rows and the days in one save: a strike is never stored beside another's premiums.
  settings.BeginUpdate();
  for (int r = 1; r <= kStrikeRows; ++r) {
    const std::string row = std::to_string(r);
    settings.WriteString(kSystemSection, "Strike" + row, grid.Cell(kStrikeColumn, r));
    settings.WriteString(kSystemSection, "Call" + row, grid.Cell(kCallColumn, r));
    settings.WriteString(kSystemSection, "Put" + row, grid.Cell(kPutColumn, r));
  }
  settings.WriteString(kSystemSection, "Days", form_.DaysEdit.Text());
  settings.EndUpdate();
  return true;
}

void TVolatilityPages::BtnLoadClick() {
  const TIniProfile settings(SystemFolderFile(platform_));
  TStringGrid& grid = form_.Grid;
  for (int r = 1; r <= kStrikeRows; ++r) {
    const std::string row = std::to_string(r);
    grid.SetCell(kStrikeColumn, r, settings.ReadString(kSystemSection, "Strike" + row, ""));
    grid.SetCell(kCallColumn, r, settings.ReadString(kSystemSection, "Call" + row, ""));
    grid.SetCell(kPutColumn, r, settings.ReadString(kSystemSection, "Put" + row, ""));
  }
  form_.DaysEdit.SetText(settings.ReadString(kSystemSection, "Days", "0"));
}

}  // namespace valquor
