#pragma once
// The profile list's rows for the list view: the active mark, name, SSID, key mark and network
// type mark, each mark with words for screen readers and tooltips.

#include <QAbstractTableModel>
#include <vector>

#include "station/networks/profiles/ProfileStore.h"

namespace kavo9 {

class ProfileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Replaces the rows; only what changed is redrawn when the profiles stay the same.
  void SetRows(const std::vector<profiles::ProfileRow>& rows);
  const std::vector<profiles::ProfileRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<profiles::ProfileRow> rows_;
};

// A row in words: "Home, home-net, secured, infrastructure, active and connected".
QString ProfileRowSpeech(const profiles::ProfileRow& row);

}  // namespace kavo9
