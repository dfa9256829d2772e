#pragma once
// The networks-in-range list as a Qt model over the page's rows. A refresh compares the new rows
// with the shown ones and reports only what changed, so the view keeps its selection and scroll
// position while the list refreshes every two seconds.

#include <QAbstractTableModel>
#include <string_view>
#include <vector>

#include "station/networks/survey/SurveyRows.h"
#include "station/networks/survey/SurveySpeech.h"

namespace kavo9 {

// Octets as the user reads them: UTF-8 where they are, Latin-1 otherwise (SSIDs are octets).
QString OctetsText(std::string_view octets);

class SiteSurveyModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Role { kSignalPercentRole = Qt::UserRole + 1, kBarColourRole };

  explicit SiteSurveyModel(QObject* parent = nullptr);

  // Shows `rows`: changed rows are reported as changed, added or removed ones at the end as such.
  void SetRows(const std::vector<SiteSurveyRow>& rows);
  // Percent or dBm in the signal text column.
  void SetShowDbm(bool showDbm);
  // The words of tooltips and screen-reader texts.
  void SetWords(SurveyWords words) { words_ = std::move(words); }
  const std::vector<SiteSurveyRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The list shows no header; the names are what a screen reader calls the columns.
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<SiteSurveyRow> rows_;
  bool showDbm_ = false;
  SurveyWords words_;
};

}  // namespace kavo9
