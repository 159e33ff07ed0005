#include "gui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ValquorVersion.h"
#include "gui/HelpWindow.h"
#include "gui/QtCommandRunner.h"
#include "gui/QtPlatform.h"
#include "gui/WizardDialog.h"

namespace valquor {
namespace {

// The client area of the window at its first start; never smaller.
constexpr int kFirstWidth = 645;
constexpr int kFirstHeight = 472;

// Gives a text field room for about `chars` characters, growing to twice that.
void FitChars(QWidget* widget, int chars) {
  const int unit = widget->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const int padding = qobject_cast<QComboBox*>(widget) != nullptr ? 4 * unit : 2 * unit;
  widget->setMinimumWidth(chars * unit + padding);
  widget->setMaximumWidth(2 * chars * unit + padding);
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  if (stretch) row->addStretch(1);
  return row;
}

// The margin of the pages: small, as pages sit inside pages.
constexpr int kPageMargin = 6;

// The fair-value table at its defaults: its widest line and its number of lines, which the
// first size shows whole when the screen allows.
constexpr int kFairValueColumns = 74;
constexpr int kFairValueLines = 23;

// How long a status note stays.
constexpr int kStatusNoteMs = 4000;

// A computation still running after this long shows its progress; the bar follows it this often.
constexpr int kProgressDelayMs = 300;
constexpr int kProgressTickMs = 50;

// Would a user's change of the control alter a computation while it runs? Fields, lists, check
// boxes, radio groups, spin boxes, dates, grids and buttons do; outputs, labels, panes, pages and
// the help buttons do not, nor the buttons among `free` (they only read what is shown).
bool ChangesWork(const TControl& control, const std::vector<const TControl*>& free) {
  if (std::find(free.begin(), free.end(), &control) != free.end()) return false;
  if (const auto* edit = dynamic_cast<const TEdit*>(&control)) return !edit->ReadOnly;
  if (const auto* button = dynamic_cast<const TButton*>(&control)) return !button->Cancel;
  return dynamic_cast<const TComboBox*>(&control) != nullptr ||
         dynamic_cast<const TCheckBox*>(&control) != nullptr ||
         dynamic_cast<const TRadioGroup*>(&control) != nullptr ||
         dynamic_cast<const TSpinEdit*>(&control) != nullptr ||
         dynamic_cast<const TDateTimePicker*>(&control) != nullptr ||
         dynamic_cast<const TStringGrid*>(&control) != nullptr;
}

QVBoxLayout* Column(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  return column;
}

// A page of fields and groups: they keep their natural size side by side, in a block at the top
// of the page centred across it; the spare room goes around the block. Returns the block.
QWidget* CentredBlock(QWidget* page) {
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  auto* block = new QWidget(page);
  block->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  row->addStretch(1);
  row->addWidget(block);
  row->addStretch(1);
  return block;
}

}  // namespace

TMainWindow::TMainWindow(TFormPersonalControls& form, TFormWizControls& overUnder,
                         TFormWiz2Controls& risk, THandlerRunner runHandler, TQtPlatform& platform,
                         QWidget* parent)
    : QWidget(parent),
      form_(form),
      runHandler_(std::move(runHandler)),
      platform_(platform),
      binder_(new TFormBinder(
          form, [this](const std::function<void()>& handler) { Run(handler); }, this)) {
  setObjectName(QString::fromStdString(form.Name()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  layout->addWidget(W(form_.PageControl1, this), 1);
  BuildProgress();
  BuildStatusLine();
  BuildPricing(binder_->Widget(form_.TabSheet1));
  BuildVolatility(binder_->Widget(form_.TabSheet4));
  BuildCalculator(binder_->Widget(form_.TabSheet2));
  BuildOptions(binder_->Widget(form_.TabSheet5));
  BuildAbout(binder_->Widget(form_.TabSheet8));

  // The hidden buffers of the Copy buttons and the clipboard.
  W(form_.RichEdit7, this);
  W(form_.RichEdit5, this);

  for (std::size_t i = 1; i < tabOrder_.size(); ++i) setTabOrder(tabOrder_[i - 1], tabOrder_[i]);

  // F1 opens the manual at the topic of the field in focus (the contents when it has none);
  // Shift+F1 switches "What's this?" on, as the picture button does.
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] {
    const int topic = FocusedTopic();
    Run([this, topic] { platform_.OpenHelp(topic); });
  });
  auto* whatsThis = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
  connect(whatsThis, &QShortcut::activated, this,
          [this] { Run([this] { form_.HelpContext.Click(); }); });

  auto shuttingDown = [this] { return closed_; };
  auto run = [this](const std::function<void()>& handler) { Run(handler); };
  overUnder_ = new TWizardDialog(overUnder, run, shuttingDown, this);
  risk_ = new TWizardDialog(risk, run, shuttingDown, this);

  runner_ = new TQtCommandRunner([this](const std::function<void()>& action) { Run(action); },
                                 [this] { return running_ == 0; }, this);
  connect(runner_, &TQtCommandRunner::Started, this, &TMainWindow::ComputeStarted);
  connect(runner_, &TQtCommandRunner::Ended, this, &TMainWindow::ComputeEnded);

  setMinimumSize(QSize(kFirstWidth, kFirstHeight).expandedTo(minimumSizeHint()));
  resize(QSize(form_.Width, form_.Height).expandedTo(minimumSize()));
  platform_.SetMainWindow(this);
  platform_.BeforeModal = [this] { Sync(); };
  Sync();
}

TMainWindow::~TMainWindow() {
  runner_->Stop();
  platform_.BeforeModal = nullptr;
  platform_.StatusSink = nullptr;
  platform_.SetMainWindow(nullptr);
}

QWidget* TMainWindow::W(TControl& control, QWidget* parent) {
  QWidget* widget = binder_->Widget(control, parent);
  if (widget->focusPolicy() != Qt::NoFocus) tabOrder_.push_back(widget);
  if (auto* radios = dynamic_cast<TRadioGroup*>(&control); radios != nullptr) {
    for (QRadioButton* button : widget->findChildren<QRadioButton*>()) {
      tabOrder_.push_back(button);
    }
  }
  return widget;
}

QLabel* TMainWindow::L(TControl& control, QWidget* parent) {
  return binder_->Label(control, parent);
}

void TMainWindow::AddPair(QGridLayout* grid, int row, int pair, TControl& control,
                          QWidget* parent) {
  QWidget* field = W(control, parent);
  grid->addWidget(L(control, parent), row, 2 * pair);
  // A list keeps its own width in a column that a wider field sets.
  const Qt::Alignment align =
      qobject_cast<QComboBox*>(field) != nullptr ? Qt::AlignLeft : Qt::Alignment();
  grid->addWidget(field, row, 2 * pair + 1, align);
}

void TMainWindow::BuildPricing(QWidget* page) {
  auto* column = Column(page);
  auto* panel = new QWidget(page);
  panel->setObjectName("PricingPanel");
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);

  AddPair(grid, 0, 0, form_.StrikeEdit, panel);
  AddPair(grid, 0, 1, form_.PriceEdit, panel);
  QWidget* forward = W(form_.ForwardEdit, panel);
  QWidget* lock = W(form_.MainForwardLock, panel);
  grid->addWidget(L(form_.ForwardEdit, panel), 0, 4);
  auto* forwardRow = new QHBoxLayout;
  forwardRow->addWidget(forward, 1);
  forwardRow->addWidget(lock);
  grid->addLayout(forwardRow, 0, 5);
  AddPair(grid, 0, 3, form_.VolEdit, panel);

  QWidget* position = W(form_.PositionName, panel);
  grid->addWidget(L(form_.PositionName, panel), 1, 0);
  grid->addWidget(position, 1, 1, 1, 3, Qt::AlignLeft);
  // Twenty characters show every name but the longest calendar spreads; the open list shows all.
  qobject_cast<QComboBox*>(position)->setMinimumContentsLength(20);
  AddPair(grid, 1, 2, form_.YAxis, panel);
  AddPair(grid, 1, 3, form_.DaysCombo, panel);

  AddPair(grid, 2, 0, form_.Steps, panel);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(W(form_.ComputeBtn, panel));
  buttons->addWidget(W(form_.CopyBtn, panel));
  buttons->addWidget(W(form_.ExportBtn, panel));
  // The two picture buttons: the manual and "What's this?".
  auto* helpButton = qobject_cast<QToolButton*>(W(form_.SpeedButton1, panel));
  auto* whatsThisButton = qobject_cast<QToolButton*>(W(form_.HelpContext, panel));
  helpButton->setIcon(QIcon::fromTheme(QStringLiteral("help-contents")));
  whatsThisButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarContextHelpButton));
  for (QToolButton* button : {helpButton, whatsThisButton}) {
    button->setAutoRaise(false);
    // The picture where the theme has one, else the caption; the caption is the tooltip.
    button->setToolButtonStyle(button->icon().isNull() ? Qt::ToolButtonTextOnly
                                                       : Qt::ToolButtonIconOnly);
    buttons->addWidget(button);
  }
  grid->addLayout(buttons, 2, 2, 1, 6);
  // The fields keep their natural width; the spare room goes to the right of them.
  grid->setColumnStretch(8, 1);

  for (TControl* field : std::initializer_list<TControl*>{&form_.StrikeEdit, &form_.PriceEdit,
                                                          &form_.ForwardEdit, &form_.VolEdit}) {
    FitChars(binder_->Find(*field), 7);
  }
  column->addWidget(panel);
  column->addWidget(W(form_.MainPageControl, page), 1);

  // Fair value.
  QWidget* fair = binder_->Widget(form_.TabPricing);
  Column(fair)->addWidget(W(form_.RichEdit1, fair), 1);

  // Delta.
  QWidget* delta = binder_->Widget(form_.TabDelta);
  auto* deltaColumn = Column(delta);
  QWidget* days1 = W(form_.Days1, delta);
  FitChars(days1, 5);
  deltaColumn->addLayout(Row({L(form_.Days1, delta), days1}));
  deltaColumn->addWidget(W(form_.RichEdit2, delta), 1);

  // Analysis, with its three pages.
  QWidget* analysis = binder_->Widget(form_.TabAnalysis);
  auto* analysisColumn = Column(analysis);
  QWidget* calcDays = W(form_.CalcDays, analysis);
  QWidget* trueVol = W(form_.TrueVolEdit, analysis);
  FitChars(calcDays, 5);
  FitChars(trueVol, 5);
  analysisColumn->addLayout(
      Row({L(form_.CalcDays, analysis), calcDays, L(form_.TrueVolEdit, analysis), trueVol}));
  analysisColumn->addWidget(W(form_.PageControl3, analysis), 1);

  QWidget* calc = binder_->Widget(form_.TabCalc);
  auto* calcColumn = Column(calc);
  QWidget* custom = W(form_.UseCustomInput, calc);
  QWidget* call = W(form_.Call3, calc);
  QWidget* put = W(form_.Put3, calc);
  QWidget* dividends = W(form_.SumDividends, calc);
  for (QWidget* w : {call, put, dividends}) FitChars(w, 7);
  auto* customRow = Row({custom, L(form_.Call3, calc), call, L(form_.Put3, calc), put});
  customRow->insertSpacing(1, 12);
  calcColumn->addLayout(customRow);
  calcColumn->addLayout(Row({L(form_.SumDividends, calc), dividends}));
  calcColumn->addWidget(W(form_.RichEdit10, calc), 1);

  QWidget* prob = binder_->Widget(form_.TabProb);
  auto* probColumn = Column(prob);
  probColumn->addLayout(Row({W(form_.MoreInt, prob)}));
  probColumn->addWidget(W(form_.RichEdit8, prob), 1);

  QWidget* payoff = binder_->Widget(form_.TabPL);
  auto* payoffColumn = Column(payoff);
  QWidget* adjust = W(form_.Adjust, payoff);
  QWidget* clear = W(form_.Button7, payoff);
  QWidget* formula = W(form_.AnalysisFormula, payoff);
  QWidget* cost = W(form_.CostPerTrade, payoff);
  FitChars(cost, 7);
  auto* payoffRow =
      Row({L(form_.Adjust, payoff), adjust, clear, L(form_.AnalysisFormula, payoff), formula});
  payoffRow->insertSpacing(3, 12);
  payoffColumn->addLayout(payoffRow);
  payoffColumn->addLayout(Row({L(form_.CostPerTrade, payoff), cost}));
  payoffColumn->addWidget(W(form_.RichEdit3, payoff), 1);

  BuildGraph(binder_->Widget(form_.TabGraph));
}

void TMainWindow::BuildVolatility(QWidget* page) {
  Column(page)->addWidget(W(form_.PageControl2, page), 1);

  // HV using daily data.
  QWidget* daily = binder_->Widget(form_.TabSheet6);
  auto* dailyColumn = Column(daily);
  auto* dailyRow =
      Row({W(form_.ClipBoardBtn, daily), W(form_.Button1, daily), W(form_.LatestFirst, daily)});
  dailyRow->addWidget(W(form_.Button4, daily));
  dailyRow->addWidget(W(form_.ExportDailyBtn, daily));
  dailyColumn->addLayout(dailyRow);
  dailyColumn->addWidget(W(form_.RichEdit4, daily), 1);

  // HV using weekly data.
  QWidget* weekly = binder_->Widget(form_.TabSheet7);
  auto* weeklyRow = new QHBoxLayout(weekly);
  weeklyRow->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  auto* gridColumn = new QVBoxLayout;
  gridColumn->addWidget(W(form_.WeeksGrid, weekly), 1);
  gridColumn->addStretch(0);
  weeklyRow->addLayout(gridColumn);
  auto* arrows = new QVBoxLayout;
  auto* up = qobject_cast<QPushButton*>(W(form_.BitBtn3, weekly));
  auto* down = qobject_cast<QPushButton*>(W(form_.BitBtn2, weekly));
  up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  arrows->addWidget(up);
  arrows->addWidget(down);
  arrows->addStretch(1);
  weeklyRow->addLayout(arrows);
  auto* commands = new QVBoxLayout;
  commands->addWidget(W(form_.WeeklyBtn, weekly));
  commands->addWidget(W(form_.Button3, weekly));
  commands->addWidget(W(form_.Button2, weekly));
  commands->addWidget(W(form_.ExportWeeklyBtn, weekly));
  commands->addSpacing(12);
  commands->addWidget(W(form_.Button12, weekly));
  commands->addWidget(W(form_.Button13, weekly));
  commands->addStretch(1);
  weeklyRow->addLayout(commands);
  weeklyRow->addWidget(W(form_.RichEdit9, weekly), 1);

  // IV Calculator.
  QWidget* iv = binder_->Widget(form_.TabImplied);
  auto* ivColumn = Column(iv);
  auto* ivTop = new QHBoxLayout;
  auto* ivFields = new QFormLayout;
  ivFields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (TEdit* field :
       {&form_.Strike7, &form_.Price7, &form_.Premium7, &form_.Riskfree7, &form_.Days7}) {
    QWidget* w = W(*field, iv);
    FitChars(w, 8);
    ivFields->addRow(L(*field, iv), w);
  }
  ivTop->addLayout(ivFields);
  auto* ivChoices = new QVBoxLayout;
  ivChoices->addWidget(W(form_.OptionType7, iv));
  ivChoices->addWidget(W(form_.DaysOption7, iv));
  ivChoices->addStretch(1);
  ivTop->addLayout(ivChoices);
  ivTop->addStretch(1);
  ivColumn->addLayout(ivTop);
  ivColumn->addLayout(Row({W(form_.Button8, iv)}));
  QWidget* implied = W(form_.Edit6, iv);
  FitChars(implied, 10);
  ivColumn->addLayout(Row({L(form_.Edit6, iv), implied}));
  // The model the result came from, under it.
  ivColumn->addLayout(Row({L(form_.IVModelLabel, iv), W(form_.IVModelLabel, iv)}));
  ivColumn->addStretch(1);

  // Implied volatility.
  QWidget* analysis = binder_->Widget(form_.TabSheet3);
  auto* analysisColumn = Column(analysis);
  auto* analysisTop = new QHBoxLayout;
  analysisTop->addWidget(W(form_.Grid, analysis), 0, Qt::AlignTop);
  auto* results = new QGridLayout;
  AddPair(results, 0, 0, form_.DaysEdit, analysis);
  AddPair(results, 1, 0, form_.ForwardRes, analysis);
  results->addWidget(W(form_.Locked, analysis), 1, 2);
  AddPair(results, 2, 0, form_.VolRes, analysis);
  results->addWidget(W(form_.BothLocked, analysis), 2, 2);
  AddPair(results, 3, 0, form_.DevLabel, analysis);
  results->addLayout(Row({W(form_.VolAnalysis, analysis), W(form_.BtnCopy2, analysis),
                          W(form_.ExportImpliedBtn, analysis)}),
                     4, 0, 1, 3);
  results->setRowStretch(5, 1);
  for (TControl* field :
       std::initializer_list<TControl*>{&form_.DaysEdit, &form_.ForwardRes, &form_.VolRes}) {
    FitChars(binder_->Find(*field), 7);
  }
  analysisTop->addLayout(results);
  analysisTop->addStretch(1);
  analysisColumn->addLayout(analysisTop);
  analysisColumn->addWidget(BuildSmile(analysis, W(form_.RichEdit6, analysis)), 1);

  BuildHVChart(binder_->Widget(form_.TabHVChart));
}

void TMainWindow::BuildCalculator(QWidget* page) {
  page = CentredBlock(page);
  page->setObjectName("CalculatorBlock");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  auto* top = new QHBoxLayout;
  auto* inputs = new QFormLayout;
  inputs->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (TEdit* field : {&form_.Strike9, &form_.Price9, &form_.Vol9, &form_.RiskFree9,
                       &form_.CostofCarry9, &form_.Days9}) {
    QWidget* w = W(*field, page);
    FitChars(w, 8);
    inputs->addRow(L(*field, page), w);
  }
  top->addLayout(inputs);
  auto* choices = new QVBoxLayout;
  choices->addWidget(W(form_.OptionType9, page));
  choices->addWidget(W(form_.DaysOption, page));
  choices->addStretch(1);
  top->addLayout(choices);

  auto* resultFrame = new QFrame(page);
  resultFrame->setObjectName("CalculatorResults");
  resultFrame->setFrameShape(QFrame::StyledPanel);
  auto* resultColumn = new QVBoxLayout(resultFrame);
  auto* outputs = new QFormLayout;
  for (TControl* output : std::initializer_list<TControl*>{&form_.Label43, &form_.Label45,
                                                           &form_.Edit8, &form_.Edit3}) {
    QWidget* w = W(*output, resultFrame);
    FitChars(w, 12);
    outputs->addRow(L(*output, resultFrame), w);
  }
  // The model the results came from, under them; a long line wraps within the frame.
  auto* model = qobject_cast<QLabel*>(W(form_.CalcModelLabel, resultFrame));
  model->setWordWrap(true);
  outputs->addRow(L(form_.CalcModelLabel, resultFrame), model);
  resultColumn->addLayout(outputs);
  resultColumn->addStretch(1);
  top->addWidget(resultFrame, 1);
  column->addLayout(top);

  column->addLayout(Row({W(form_.Button9, page)}));
  column->addWidget(W(form_.CarryNote, page));
  column->addSpacing(8);
  column->addWidget(W(form_.OverUnderCaption, page));
  column->addLayout(Row({W(form_.Button10, page), W(form_.Button11, page)}));
  column->addStretch(1);
}

void TMainWindow::BuildOptions(QWidget* page) {
  page = CentredBlock(page);
  page->setObjectName("OptionsBlock");
  auto* columns = new QHBoxLayout(page);
  columns->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);

  auto group = [this, page](TGroupBox& box, QVBoxLayout* side) {
    QWidget* widget = W(box, page);
    side->addWidget(widget);
    return widget;
  };

  QWidget* formula = group(form_.FormulaGroup, left);
  QWidget* formulaList = W(form_.Formula, formula);
  (new QVBoxLayout(formula))->addWidget(formulaList, 0, Qt::AlignLeft);

  QWidget* rate = group(form_.RiskFreeGroup, left);
  auto* rateColumn = new QVBoxLayout(rate);
  QWidget* rateField = W(form_.RiskFreeInterest, rate);
  FitChars(rateField, 8);
  rateColumn->addWidget(rateField);
  rateColumn->addWidget(W(form_.RiskFreeNote, rate));

  left->addWidget(W(form_.ExpirationStyle, page));

  QWidget* steps = group(form_.StepsGroup, left);
  auto* stepsColumn = new QVBoxLayout(steps);
  stepsColumn->addLayout(Row({W(form_.NumberOfSteps, steps)}));
  stepsColumn->addWidget(W(form_.StepsNote, steps));
  left->addStretch(1);

  QWidget* intervals = group(form_.IntervalsGroup, right);
  auto* intervalsColumn = new QVBoxLayout(intervals);
  intervalsColumn->addLayout(Row({W(form_.NumberOfIntervals, intervals)}));
  intervalsColumn->addWidget(W(form_.IntervalsNote, intervals));

  QWidget* carry = group(form_.CarryGroup, right);
  auto* carryColumn = new QVBoxLayout(carry);
  QWidget* carryField = W(form_.CostOfCarry, carry);
  FitChars(carryField, 8);
  carryColumn->addWidget(carryField);
  carryColumn->addWidget(W(form_.CarryGroupNote, carry));

  QWidget* days = group(form_.DaysGroup, right);
  auto* daysGrid = new QGridLayout(days);
  AddPair(daysGrid, 0, 0, form_.StartDate, days);
  AddPair(daysGrid, 1, 0, form_.EndDate, days);
  daysGrid->addLayout(Row({W(form_.UseTradingDays, days)}), 2, 0, 1, 2);
  daysGrid->addWidget(W(form_.Button5, days), 3, 0);
  auto* count = new QHBoxLayout;
  count->addWidget(L(form_.CompDays, days));
  count->addWidget(W(form_.CompDays, days));
  count->addStretch(1);
  daysGrid->addLayout(count, 3, 1);
  daysGrid->setColumnStretch(2, 1);

  QWidget* font = group(form_.FontGroup, right);
  (new QVBoxLayout(font))->addLayout(Row({W(form_.Button6, font)}));
  right->addStretch(1);
}

void TMainWindow::BuildAbout(QWidget* page) {
  auto* column = Column(page);
  column->addStretch(1);
  for (TLabel* label : {&form_.ProductLabel, &form_.VersionLabel}) {
    auto* text = qobject_cast<QLabel*>(W(*label, page));
    text->setAlignment(Qt::AlignCenter);
    column->addWidget(text);
  }
  // The full release number of this build, below the form's own version line.
  auto* release =
      new QLabel(QStringLiteral("Release %1").arg(QLatin1String(kValquorVersion)), page);
  release->setObjectName(QStringLiteral("ReleaseLabel"));
  release->setAlignment(Qt::AlignCenter);
  column->addWidget(release);
  column->addStretch(2);
}

void TMainWindow::BuildProgress() {
  progressPanel_ = new QWidget(this);
  progressPanel_->setObjectName(QStringLiteral("ProgressPanel"));
  auto* row = new QHBoxLayout(progressPanel_);
  row->setContentsMargins(0, 0, 0, 0);
  progress_ = new QProgressBar(progressPanel_);
  progress_->setObjectName(QStringLiteral("ComputeProgress"));
  progress_->setRange(0, 100);
  progress_->setFormat(QStringLiteral("%p %"));
  cancel_ = new QPushButton(tr("Cancel"), progressPanel_);
  cancel_->setObjectName(QStringLiteral("CancelComputeButton"));
  cancel_->setWhatsThis(
      tr("Stops the computation: every report, field and setting stays as it "
         "was before Compute. Esc does the same."));
  row->addWidget(progress_, 1);
  row->addWidget(cancel_);
  progressPanel_->hide();
  layout()->addWidget(progressPanel_);
  connect(cancel_, &QPushButton::clicked, this, &TMainWindow::CancelCompute);

  progressDelay_ = new QTimer(this);
  progressDelay_->setSingleShot(true);
  progressDelay_->setInterval(kProgressDelayMs);
  connect(progressDelay_, &QTimer::timeout, this, &TMainWindow::ShowProgress);
  progressTick_ = new QTimer(this);
  progressTick_->setInterval(kProgressTickMs);
  connect(progressTick_, &QTimer::timeout, this, [this] {
    const int percent = static_cast<int>(std::floor(100.0 * runner_->Fraction()));
    progress_->setValue(std::max(progress_->value(), std::clamp(percent, 0, 100)));
  });
}

void TMainWindow::ShowProgress() {
  if (runner_->Running()) progressPanel_->show();
}

void TMainWindow::CancelCompute() {
  if (!runner_->Running()) return;
  runner_->Cancel();
  cancel_->setEnabled(false);
}

void TMainWindow::ComputeStarted() {
  focusBeforeLock_ = QApplication::focusWidget();
  LockInputs();
  progress_->setValue(0);
  cancel_->setEnabled(true);
  progressDelay_->start();
  progressTick_->start();
  qApp->installEventFilter(this);
  for (QWidget* window : {static_cast<QWidget*>(this), static_cast<QWidget*>(overUnder_),
                          static_cast<QWidget*>(risk_)}) {
    window->setCursor(Qt::BusyCursor);
  }
  Sync();
  focusAfterLock_ = QApplication::focusWidget();
}

void TMainWindow::ComputeEnded() {
  progressDelay_->stop();
  progressTick_->stop();
  progressPanel_->hide();
  qApp->removeEventFilter(this);
  for (QWidget* window : {static_cast<QWidget*>(this), static_cast<QWidget*>(overUnder_),
                          static_cast<QWidget*>(risk_)}) {
    window->unsetCursor();
  }
  UnlockInputs();
  Sync();
  // The field or button that lost the focus to the lock gets it back, unless the user has
  // moved it meanwhile.
  if (focusBeforeLock_ != nullptr && focusBeforeLock_->isEnabled() &&
      QApplication::focusWidget() == focusAfterLock_.data()) {
    focusBeforeLock_->setFocus();
  }
  focusBeforeLock_ = nullptr;
  focusAfterLock_ = nullptr;
}

void TMainWindow::LockInputs() {
  // The Copy and Export buttons and the dialogs' Close buttons stay: they change nothing a
  // computation reads.
  const std::vector<const TControl*> free = {
      &form_.CopyBtn,   &form_.Button4,        &form_.Button2,         &form_.BtnCopy2,
      &form_.ExportBtn, &form_.ExportDailyBtn, &form_.ExportWeeklyBtn, &form_.ExportImpliedBtn};
  for (TForm* window : {static_cast<TForm*>(&form_), &overUnder_->Form(), &risk_->Form()}) {
    for (TComponent* component : window->Components()) {
      auto* control = dynamic_cast<TControl*>(component);
      if (control == nullptr || !control->Enabled() || !ChangesWork(*control, free)) continue;
      control->SetEnabled(false);
      locked_.push_back(control);
    }
  }
}

void TMainWindow::UnlockInputs() {
  for (TControl* control : locked_) control->SetEnabled(true);
  locked_.clear();
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Esc cancels a run from the window and its dialogs, unless a box, dialog or open list
  // takes it first.
  if (event->type() == QEvent::KeyPress && runner_->Running()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QWidget* active = QApplication::activeWindow();
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
        QApplication::activeModalWidget() == nullptr &&
        QApplication::activePopupWidget() == nullptr &&
        (active == this || active == overUnder_ || active == risk_)) {
      CancelCompute();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TMainWindow::Run(const std::function<void()>& handler) {
  ++running_;
  runHandler_(handler);
  --running_;
  // A handler that left by an exception may have left the busy cursor on.
  if (running_ == 0) platform_.ResetBusyCursor();
  Sync();
}

void TMainWindow::Sync() {
  binder_->Pull();
  setWindowTitle(QString::fromStdString(form_.Caption));
  if (overUnder_ != nullptr) overUnder_->Sync();
  if (risk_ != nullptr) risk_->Sync();
}

void TMainWindow::Start() {
  Run([this] { form_.Show(); });
  ApplyGeometry();
  show();
  if (!form_.SizeStored) FitFairValueTable();
  raise();
  activateWindow();
  // Without a window manager the window may never be told that it is active.
  QTimer::singleShot(0, this, &TMainWindow::ActivateOnce);
}

void TMainWindow::ActivateOnce() {
  if (activated_ || closed_) return;
  if (running_ > 0) {  // not inside another event's handler
    QTimer::singleShot(0, this, &TMainWindow::ActivateOnce);
    return;
  }
  activated_ = true;
  Run([this] { form_.Activate(); });
}

void TMainWindow::ApplyGeometry() {
  resize(QSize(form_.Width, form_.Height).expandedTo(minimumSize()));
  // A stored place is used when the window's top left corner would be on a screen.
  if (form_.Left != 0 || form_.Top != 0) {
    const QPoint corner(form_.Left, form_.Top);
    if (QGuiApplication::screenAt(corner + QPoint(40, 10)) != nullptr) move(corner);
  }
}

void TMainWindow::FitFairValueTable() {
  auto* pane = qobject_cast<QPlainTextEdit*>(binder_->Find(form_.RichEdit1));
  if (pane == nullptr || !pane->isVisible()) return;
  layout()->activate();
  const QFontMetrics metrics(pane->font());
  const int margins = 2 * static_cast<int>(std::ceil(pane->document()->documentMargin()));
  // A column more for the cursor, a line more for the last line's leading.
  const QSize table((kFairValueColumns + 1) * metrics.horizontalAdvance(QLatin1Char('0')) + margins,
                    (kFairValueLines + 1) * metrics.lineSpacing() + margins);
  QSize wanted = size() + (table - pane->viewport()->size()).expandedTo(QSize(0, 0));
  if (const QScreen* screen = this->screen(); screen != nullptr) {
    const QSize frame = frameGeometry().size() - size();
    wanted = wanted.boundedTo(screen->availableGeometry().size() - frame);
  }
  resize(wanted.expandedTo(minimumSize()));
}

void TMainWindow::BuildStatusLine() {
  status_ = new QStatusBar(this);
  status_->setObjectName(QStringLiteral("StatusLine"));
  status_->setSizeGripEnabled(false);
  // Shown only while it holds a note.
  status_->hide();
  connect(status_, &QStatusBar::messageChanged, this,
          [this](const QString& note) { status_->setVisible(!note.isEmpty()); });
  layout()->addWidget(status_);
  platform_.StatusSink = [this](const std::string& note) {
    status_->showMessage(QString::fromStdString(note), kStatusNoteMs);
  };
}

int TMainWindow::FocusedTopic() const {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr && w != this; w = w->parentWidget()) {
    const auto* control =
        dynamic_cast<const TControl*>(form_.FindComponent(w->objectName().toStdString()));
    if (control != nullptr && control->HelpContext() > 0) return control->HelpContext();
  }
  return 0;
}

void TMainWindow::StoreGeometry() {
  QRect place(pos(), size());
  if ((isMaximized() || isFullScreen()) && normalGeometry().isValid()) place = normalGeometry();
  form_.Left = place.x();
  form_.Top = place.y();
  form_.Width = place.width();
  form_.Height = place.height();
}

bool TMainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && running_ == 0 && !closed_ && form_.Visible()) {
    activated_ = true;
    Run([this] { form_.Activate(); });
  }
  return QWidget::event(event);
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (TButton* button = binder_->DefaultButtonInView(); button != nullptr) {
      Run([button] { button->Click(); });
    }
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  // A run in progress is cancelled; the window waits for its computation to leave.
  runner_->Stop();
  StoreGeometry();
  Run([this] { form_.Close(); });
  if (form_.Visible()) {
    event->ignore();  // the form kept the window open
    return;
  }
  closed_ = true;
  // The dialogs and the manual go with the main window, without their own closing.
  overUnder_->hide();
  risk_->hide();
  if (THelpWindow* help = platform_.HelpWindow(); help != nullptr) help->hide();
  event->accept();
}

}  // namespace valquor
