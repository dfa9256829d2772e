#pragma once
// Asks for the name of a hidden network before the site survey connects to it (panel 1 of the
// main window).

#include <QWidget>
#include <functional>

#include "station/networks/ui/CPageSiteSurveyDlg.h"

class QLineEdit;

namespace kavo9 {

class CHiddenSsidDlg : public QWidget {
  Q_OBJECT
 public:
  // `returnToPages` shows the link status panel again.
  CHiddenSsidDlg(SiteSurvey& survey, std::function<void()> returnToPages, SurveyTextLookup text,
                 QWidget* parent = nullptr);

  // Empties the edit box and puts the focus there; done each time the panel is shown.
  void Prepare();
  QLineEdit* Edit() const { return edit_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnOk();

  SiteSurvey& survey_;
  std::function<void()> returnToPages_;
  QLineEdit* edit_ = nullptr;
};

}  // namespace kavo9
