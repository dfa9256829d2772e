#pragma once
// The profile page: the list of profiles with the active mark, the selected profile's details,
// and Add, Edit, Delete and Activate. It binds its controls to the page logic and runs the
// page's 3-second tick while it exists.

#include <QWidget>
#include <array>
#include <functional>

#include "common/platform/EventLoop.h"
#include "station/networks/profiles/page/ProfilePage.h"
#include "station/shell/LangKeys.h"

class QLabel;
class QPushButton;
class QTableView;

namespace kavo9 {

class ProfileListModel;

using ProfileTextLookup = std::function<QString(LangKey)>;

class CPageProfileDlg : public QWidget {
  Q_OBJECT
 public:
  CPageProfileDlg(EventLoop& loop, const profilepage::ProfilePageParts& parts,
                  ProfileTextLookup text, const QString& faceName, QWidget* parent = nullptr);
  ~CPageProfileDlg() override;

  profilepage::ProfilePage& Logic() { return page_; }
  QTableView* List() const { return list_; }
  ProfileListModel& Model() const { return *model_; }
  // Lists the store again (after the editor saved a profile).
  void RefreshProfileList();
  // The page tick (also driven by the page's own timer).
  void OnTick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls(const ProfileTextLookup& text);
  int SelectedRow() const;
  // The logic's rows, selection, details and buttons shown.
  void Show();
  void SizeColumns();
  void Act(void (profilepage::ProfilePage::*action)());

  profilepage::ProfilePage page_;
  WindowTimers timers_;
  ProfileListModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QLabel* title_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* apply_ = nullptr;
  std::array<QLabel*, profilepage::kDetailCount> captions_{};
  std::array<QLabel*, profilepage::kDetailCount> values_{};
  bool showing_ = false;
};

}  // namespace kavo9
