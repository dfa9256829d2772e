#include "station/dot1x/settings/ui/CPage8021XDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/Accessibility.h"
#include "station/dot1x/settings/ui/Dot1xPageIds.h"

namespace kavo9 {

using namespace dot1x;
using namespace dot1xpage;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

constexpr const char* kMethodMenuTexts[] = {"PEAP", "TLS / Smart Card", "TTLS", "EAP-FAST",
                                            "MD5-Challenge"};
constexpr const char* kTunnelMenuTexts[] = {"EAP-MSCHAP v2", "EAP-TLS / Smart Card",
                                            "Generic Token Card"};
constexpr const char* kTtlsMenuTexts[] = {"CHAP", "MS-CHAP", "MS-CHAP-V2", "PAP", "EAP-MD5"};

}  // namespace

CPage8021XDlg::CPage8021XDlg(Dot1xPageModel& model, const EditorTextLookup& text, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QString::number(kDialog));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(3);
  BuildTop(text, layout);
  Show();
}

void CPage8021XDlg::BuildTop(const EditorTextLookup& text, QVBoxLayout* into) {
  auto* top = new QGridLayout;
  auto* methodLabel = Numbered(new QLabel(text(LangKey::IDS_AUTH_AUTH_TYPE), this), kMethodLabel);
  method_ = new ChoiceButton(kMethod, this);
  method_->ChoiceMenu()->setObjectName(QString::number(kMethodMenu));
  for (int m = kPeap; m <= kMd5Challenge; ++m) {
    method_->AddChoice(kMethodCommands[m], QString::fromLatin1(kMethodMenuTexts[m]), [this, m] {
      model_.ChooseMethod(m);
      Changed();
    });
  }
  connect(method_->ChoiceMenu(), &QMenu::aboutToShow, this, [this] {
    method_->Choice(kMethodCommands[kMd5Challenge])->setEnabled(model_.View().md5Offered);
  });
  tunnelLabel_ = Numbered(new QLabel(text(LangKey::IDS_AUTHPROTOCOAL), this), kTunnelLabel);
  tunnel_ = new ChoiceButton(kTunnel, this);
  for (int t = kTunnelMsChapV2; t <= kTunnelTokenCard; ++t) {
    tunnel_->AddChoice(kTunnelCommands[t], QString::fromLatin1(kTunnelMenuTexts[t]), [this, t] {
      model_.ChooseTunnel(t);
      Changed();
    });
  }
  for (int t = kTtlsChoiceChap; t <= kTtlsChoiceMd5; ++t) {
    tunnel_->AddChoice(kTtlsCommands[t], QString::fromLatin1(kTtlsMenuTexts[t]), [this, t] {
      model_.ChooseTtls(t);
      Changed();
    });
  }
  sessionResumption_ = Check(
      kSessionResumption, QStringLiteral("Session Resumption"), this,
      [this](bool on) { model_.SetSessionResumption(on); },
      QStringLiteral("Lets the server resume an earlier session instead of a full exchange"));
  top->addWidget(methodLabel, 0, 0);
  top->addWidget(method_, 0, 1);
  top->addWidget(tunnelLabel_, 0, 2);
  top->addWidget(tunnel_, 0, 3);
  top->addWidget(sessionResumption_, 0, 4);
  top->setColumnStretch(1, 1);
  top->setColumnStretch(3, 1);
  NameByLabel(methodLabel, method_, QStringLiteral("The EAP method of the authentication"));
  NameByLabel(tunnelLabel_, tunnel_, QStringLiteral("The method inside the tunnel"));
  into->addLayout(top);

  // The four tabs, in the order they stand; the choices hide the ones they do not use.
  auto* tabRow = new QHBoxLayout;
  auto* group = new QButtonGroup(this);
  const std::array<std::pair<int, QString>, 4> captions = {{
      {kIdentityTabButton, text(LangKey::IDS_ID_PASSWORD)},
      {kClientTabButton, text(LangKey::IDS_TABAUTHENTICATION)},
      {kServerTabButton, text(LangKey::IDS_TABCASERVER)},
      {kFastTabButton, QStringLiteral("EAP Fast")},
  }};
  for (size_t i = 0; i < captions.size(); ++i) {
    auto* button = Numbered(new QPushButton(captions[i].second, this), captions[i].first);
    button->setCheckable(true);
    button->setProperty("role", "editorTab");
    group->addButton(button, int(i));
    tabRow->addWidget(button);
    tabButtons_[i] = button;
  }
  // Made after the tab buttons, so that Tab reaches the buttons before the tab's fields.
  tabs_ = new QStackedWidget(this);
  for (QWidget* page :
       {BuildIdentity(text), BuildClient(text), BuildServer(text), BuildFast(text)}) {
    tabs_->addWidget(page);
  }
  tabRow->addStretch();
  connect(group, &QButtonGroup::idClicked, this, [this](int tab) {
    model_.SelectTab(static_cast<Dot1xTab>(tab));
    Changed();
  });
  into->addLayout(tabRow);
  into->addWidget(tabs_, 1);
}

QCheckBox* CPage8021XDlg::Check(int number, const QString& caption, QWidget* parent,
                                std::function<void(bool)> changed, const QString& description) {
  auto* box = Numbered(new QCheckBox(caption, parent), number);
  NameControl(box, caption, description);
  connect(box, &QCheckBox::toggled, this, [this, changed = std::move(changed)](bool on) {
    if (showing_) return;
    changed(on);
    Changed();
  });
  return box;
}

QLineEdit* CPage8021XDlg::TextEdit(int number, Dot1xText field, QWidget* parent) {
  auto* edit = Numbered(new QLineEdit(parent), number);
  edit->setMaxLength(int(field == Dot1xText::kPacPath ? kMaxPacPath : kMaxDot1xText));
  connect(edit, &QLineEdit::textEdited, this,
          [this, field](const QString& typed) { model_.SetText(field, typed.toStdString()); });
  return edit;
}

void CPage8021XDlg::showEvent(QShowEvent* event) {
  if (beforeShow_) beforeShow_();
  Show();
  QWidget::showEvent(event);
}

void CPage8021XDlg::Changed() {
  Show();
}

void CPage8021XDlg::Show() {
  showing_ = true;
  const Dot1xPageView view = model_.View();
  const Dot1xChoices& c = model_.Values().choices;
  method_->setText(Q(view.layout.methodText));
  method_->Choice(kMethodCommands[kMd5Challenge])->setEnabled(view.md5Offered);
  tunnel_->setEnabled(view.layout.tunnelEnabled);
  tunnelLabel_->setEnabled(view.layout.tunnelEnabled);
  tunnel_->setText(Q(view.layout.tunnelText));
  const bool ttls = c.method == kTtls;
  for (int t = kTunnelMsChapV2; t <= kTunnelTokenCard; ++t) {
    tunnel_->Choice(kTunnelCommands[t])->setVisible(!ttls);
  }
  for (int t = kTtlsChoiceChap; t <= kTtlsChoiceMd5; ++t) {
    tunnel_->Choice(kTtlsCommands[t])->setVisible(ttls);
  }
  sessionResumption_->setChecked(model_.Values().sessionResumption);
  ShowIdentity();
  ShowCertificates();
  ShowFast();
  ShowTabs();
  showing_ = false;
}

void CPage8021XDlg::ShowTabs() {
  const Dot1xPageView view = model_.View();
  for (size_t i = 0; i < tabButtons_.size(); ++i) {
    const bool shown = std::find(view.layout.tabs.begin(), view.layout.tabs.end(),
                                 static_cast<Dot1xTab>(i)) != view.layout.tabs.end();
    tabButtons_[i]->setVisible(shown);
  }
  const auto current = size_t(model_.CurrentTab());
  tabButtons_[current]->setChecked(true);
  tabs_->setCurrentIndex(int(current));
}

}  // namespace kavo9
