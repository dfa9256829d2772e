#include "station/networks/link/ui/CLinkStatusDlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "common/ui/Accessibility.h"
#include "common/ui/Theme.h"
#include "station/networks/link/ui/LinkStatusIds.h"
#include "widgets/CHistogramCtrl.h"
#include "widgets/CProgressCtrlX.h"
#include "widgets/SignalHistoryGraph.h"

namespace kavo9 {
namespace {

using namespace linkstatus;

constexpr TimerId kRefreshTimer = 1;
constexpr int kCaptionFontCell = 16;
constexpr int kGraphLabelWidth = 50;
constexpr int kGraphHeight = 30;
constexpr int kBarHeight = 17;
const QColor kLightBlue(166, 202, 240);

QColor Band(link::BandColour colour) {
  switch (colour) {
    case link::BandColour::Red:
      return QColor(255, 0, 0);
    case link::BandColour::Yellow:
      return QColor(250, 230, 50);
    default:
      return QColor(0, 255, 0);
  }
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

template <typename W>
W* Numbered(W* widget, int number) {
  widget->setObjectName(QString::number(number));
  return widget;
}

// A separator line with its caption ("Transmit", "Receive", "HT").
QWidget* Separator(int number, const QString& text, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 2, 0, 0);
  row->setSpacing(6);
  auto* caption = Numbered(new QLabel(text, box), number);
  caption->setProperty("role", "status");
  auto* line = new QFrame(box);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  row->addWidget(caption);
  row->addWidget(line, 1);
  return box;
}

const std::array<TextLine, link::kLinkTextCount> kTextLines = {
    kStatus, kExtraInfo, kChannel, kAuthentication, kEncryption, kNetworkType, kIpAddress,
    kIpMask, kGateway,   kTxRate,  kTxThroughput,   kRxRate,     kRxThroughput};
const std::array<TextLine, link::kHtTextCount> kHtLines = {kBw, kGi, kStbc, kMcs, kSnr0, kSnr1};
const std::array<int, link::kBarCount> kBarNumbers = {kQualityBar, kSignalBar0, kSignalBar1,
                                                      kSignalBar2, kNoiseBar};
const char* const kBarNames[link::kBarCount] = {"Link quality", "Signal strength, antenna 1",
                                                "Signal strength, antenna 2",
                                                "Signal strength, antenna 3", "Noise level"};

}  // namespace

CLinkStatusDlg::CLinkStatusDlg(EventLoop& loop, DriverPort& driver, link::LinkStationPort& station,
                               const QString& faceName, QWidget* parent)
    : QWidget(parent),
      loop_(loop),
      station_(station),
      link_(driver, station),
      timers_(loop, [this](TimerId) { Refresh(); }) {
  setObjectName(QString::number(kDialog));
  setAccessibleName(Q(station.Text(LangKey::IDS_TAB_LINKSTATUS)));
  link_.OnCreate();
  Build(faceName);
  Apply();
}

CLinkStatusDlg::~CLinkStatusDlg() = default;

CLinkStatusDlg::Line CLinkStatusDlg::MakeLine(int caption, int value, const QString& text,
                                              QWidget* parent) {
  Line line;
  line.caption = Numbered(new QLabel(text, parent), caption);
  line.value = Numbered(new QLabel(parent), value);
  line.value->setTextFormat(Qt::PlainText);
  line.value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  line.value->setFocusPolicy(Qt::TabFocus);
  NameByLabel(line.caption, line.value);
  return line;
}

void CLinkStatusDlg::Build(const QString& faceName) {
  captionFont_ = WindowFont(faceName, kCaptionFontCell);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(10, 6, 10, 4);
  row->setSpacing(14);
  auto* left = new QVBoxLayout;
  left->setSpacing(0);
  // The status line and the link state run across both text columns.
  auto* top = new QGridLayout;
  top->setVerticalSpacing(1);
  top->setHorizontalSpacing(6);
  const LangKey topKeys[2] = {LangKey::IDS_LINK_STATUS, LangKey::IDS_LINK_EXTRA_INFO};
  for (size_t i = 0; i < 2; ++i) {
    lines_[i] =
        MakeLine(kTextLines[i].caption, kTextLines[i].value, Q(station_.Text(topKeys[i])), this);
    top->addWidget(lines_[i].caption, int(i), 0);
    top->addWidget(lines_[i].value, int(i), 1);
  }
  top->setColumnStretch(1, 1);
  left->addLayout(top);
  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  columns->addWidget(BuildLinkColumn(), 1);
  columns->addWidget(BuildTrafficColumn(), 1);
  left->addLayout(columns, 1);
  row->addLayout(left, 5);
  row->addWidget(BuildSignalColumn(), 4);
}

QWidget* CLinkStatusDlg::BuildLinkColumn() {
  auto* column = new QWidget(this);
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 4, 0, 0);
  grid->setVerticalSpacing(1);
  grid->setHorizontalSpacing(6);
  const LangKey keys[] = {LangKey::IDS_LINK_CHANNEL,    LangKey::IDS_LINK_AUTHEN,
                          LangKey::IDS_LINK_ENCRY,      LangKey::IDS_NETWORK_TYPE,
                          LangKey::IDS_LINK_IP_ADDR,    LangKey::IDS_LINK_SUB_MASK,
                          LangKey::IDS_LINK_DEF_GATEWAY};
  for (size_t i = 0; i < std::size(keys); ++i) {
    const size_t text = link::kChannelText + i;
    lines_[text] = MakeLine(kTextLines[text].caption, kTextLines[text].value,
                            Q(station_.Text(keys[i])), column);
    grid->addWidget(lines_[text].caption, int(i), 0);
    grid->addWidget(lines_[text].value, int(i), 1);
  }
  grid->setColumnStretch(1, 1);
  // The 802.11n fields of the transmit rate, on 802.11n adapters.
  htSection_ = new QWidget(column);
  auto* ht = new QGridLayout(htSection_);
  ht->setContentsMargins(0, 0, 0, 0);
  ht->setVerticalSpacing(0);
  ht->setHorizontalSpacing(6);
  ht->addWidget(Separator(kHtSeparator, QStringLiteral("HT"), htSection_), 0, 0, 1, 6);
  const char* captions[] = {"BW >>", "GI >>", "STBC >>", "MCS >>", "SNR0 >>", "SNR1 >>"};
  const int places[][2] = {{1, 0}, {1, 2}, {1, 4}, {1, 4}, {2, 0}, {2, 2}};
  for (size_t i = 0; i < link::kHtTextCount; ++i) {
    ht_[i] = MakeLine(kHtLines[i].caption, kHtLines[i].value, captions[i], htSection_);
    ht_[i].caption->setFont(captionFont_);
    ht_[i].value->setFont(captionFont_);
    if (i == link::kStbcText) {  // never shown
      ht_[i].caption->hide();
      ht_[i].value->hide();
      continue;
    }
    ht->addWidget(ht_[i].caption, places[i][0], places[i][1]);
    ht->addWidget(ht_[i].value, places[i][0], places[i][1] + 1);
  }
  grid->addWidget(htSection_, int(std::size(keys)), 0, 1, 2);
  grid->setRowStretch(int(std::size(keys)) + 1, 1);
  return column;
}

QWidget* CLinkStatusDlg::BuildTrafficColumn() {
  auto* column = new QWidget(this);
  auto* box = new QVBoxLayout(column);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(1);
  struct Direction {
    int separator;
    LangKey separatorKey;
    size_t rate, throughput;
    int graph;
    QColor colour;
    CHistogramCtrl** into;
    const char* name;
  } directions[] = {
      {kTransmitSeparator, LangKey::IDS_LINK_TRANSMIT, link::kTxRateText, link::kTxThroughputText,
       kTxGraph, QColor(0, 255, 0), &txGraph_, "Transmit throughput history"},
      {kReceiveSeparator, LangKey::IDS_LINK_RECEIVE, link::kRxRateText, link::kRxThroughputText,
       kRxGraph, QColor(255, 255, 0), &rxGraph_, "Receive throughput history"},
  };
  for (const Direction& d : directions) {
    box->addWidget(Separator(d.separator, Q(station_.Text(d.separatorKey)), column));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(6);
    const std::pair<size_t, LangKey> rows[] = {{d.rate, LangKey::IDS_LINK_TXRATE},
                                               {d.throughput, LangKey::IDS_LINK_THROUGHT}};
    int r = 0;
    for (auto [text, key] : rows) {
      lines_[text] =
          MakeLine(kTextLines[text].caption, kTextLines[text].value, Q(station_.Text(key)), column);
      grid->addWidget(lines_[text].caption, r, 0);
      grid->addWidget(lines_[text].value, r++, 1);
    }
    grid->setColumnStretch(1, 1);
    box->addLayout(grid);
    auto* graph = Numbered(new CHistogramCtrl(column), d.graph);
    graph->SetColour(d.colour);
    graph->SetLabelWidth(kGraphLabelWidth);
    graph->setFixedHeight(kGraphHeight);
    NameControl(graph, d.name);
    *d.into = graph;
    box->addWidget(graph);
  }
  box->addStretch(1);
  return column;
}

QWidget* CLinkStatusDlg::BuildSignalColumn() {
  auto* column = new QWidget(this);
  auto* box = new QVBoxLayout(column);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(3);
  for (size_t bar = 0; bar < link::kBarCount; ++bar) {
    auto* widget = Numbered(new CProgressCtrlX(column), kBarNumbers[bar]);
    widget->SetGradient(Band(link::BandColour::Green), kLightBlue, Band(link::BandColour::Green));
    widget->SetAnimation(55, 1);
    widget->SetCaptionFont(captionFont_);
    widget->setFixedHeight(kBarHeight);
    widget->setAccessibleName(kBarNames[bar]);
    bars_[bar] = widget;
    box->addWidget(widget);
  }
  history_ = new SignalHistoryGraph(column);
  history_->setObjectName(kSignalHistoryName);
  history_->setMinimumHeight(90);
  NameControl(history_, QStringLiteral("Signal, noise and SNR over the last ten minutes"));
  box->addWidget(history_, 1);
  return column;
}

void CLinkStatusDlg::Apply() {
  const link::LinkView& view = link_.View();
  for (size_t i = 0; i < link::kLinkTextCount; ++i) {
    const QString text = Q(view.texts[i]);
    if (lines_[i].value && lines_[i].value->text() != text) lines_[i].value->setText(text);
  }
  for (size_t i = 0; i < link::kHtTextCount; ++i) {
    const QString text = Q(view.ht[i]);
    if (ht_[i].value->text() != text) ht_[i].value->setText(text);
  }
  for (size_t bar = 0; bar < link::kBarCount; ++bar) {
    const link::BarView& b = view.bars[bar];
    const QColor c = Band(b.colour);
    bars_[bar]->SetGradient(c, kLightBlue, c);
    bars_[bar]->SetPosition(b.position);
    bars_[bar]->SetCaption(Q(b.caption));
  }
  bars_[link::kSignalBar1]->setVisible(view.antennas.signal1);
  bars_[link::kSignalBar2]->setVisible(view.antennas.signal2);
  htSection_->setVisible(view.htVisible);
  const std::pair<CHistogramCtrl*, const link::GraphView*> graphs[] = {{txGraph_, &view.tx},
                                                                       {rxGraph_, &view.rx}};
  for (auto [graph, data] : graphs) {
    graph->SetVerticalMax(data->max);
    graph->SetLabels({QStringLiteral("Max"), Q(data->maxText)});
    graph->SetSamples(data->samples);
  }
  std::vector<SignalPoint> points;
  const uint64_t newest = link_.History().NewestMs();
  for (const link::SignalSample& s : link_.History().Samples()) {
    points.push_back({double(newest - s.timeMs) / 1000.0, s.linked, s.signalDbm, s.noiseDbm});
  }
  history_->SetPoints(std::move(points));
}

void CLinkStatusDlg::Refresh() {
  link_.Refresh(loop_.MonotonicMs());
  Apply();
}

bool CLinkStatusDlg::Refreshing() const {
  return timers_.IsSet(kRefreshTimer);
}

void CLinkStatusDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  link_.OnShow();
  // The link at once, rather than two seconds of empty lines.
  Refresh();
  timers_.Set(kRefreshTimer, link::kRefreshMs);
}

void CLinkStatusDlg::hideEvent(QHideEvent* event) {
  timers_.Kill(kRefreshTimer);
  QWidget::hideEvent(event);
}

void CLinkStatusDlg::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // An etched line across the top.
  QPainter p(this);
  p.setPen(palette().color(QPalette::Dark));
  p.drawLine(0, 0, width() - 1, 0);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(0, 1, width() - 1, 1);
}

void CLinkStatusDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape never close the panel.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace kavo9
