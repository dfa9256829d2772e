#pragma once
// The WPS page's two lists for their views: the access points (ID, SSID, BSSID, channel, lock)
// and the credentials (state mark, SSID, BSSID, lock). Marks come with words for screen readers
// and tooltips, so no state is told by an image alone.

#include <QAbstractTableModel>
#include <array>
#include <vector>

#include "station/wps/WpsApList.h"
#include "station/wps/WpsCredential.h"

namespace kavo9 {

// The widths of the columns, as parts of the list's width.
inline constexpr std::array<double, 6> kWpsApColumnWidths = {0.03, 0.25, 0.34, 0.25, 0.08, 0.03};
inline constexpr std::array<double, 4> kWpsProfileColumnWidths = {0.04, 0.52, 0.25, 0.19};

class WpsApListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetRows(const std::vector<wps::WpsApRow>& rows);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    QString id, ssid, bssid, channel;
    bool secured = false;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> rows_;
};

class WpsProfileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetRows(const wps::WpsCredentialTable& table, const std::vector<int>& states);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    QString ssid;
    bool secured = false;
    int state = -1;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> rows_;
};

}  // namespace kavo9
