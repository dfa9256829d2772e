#include "station/networks/profiles/page/ui/ProfileListModel.h"

#include "station/networks/profiles/page/ProfilePageIds.h"
#include "station/networks/ui/SurveyListImages.h"

namespace kavo9 {
namespace {

using namespace profilepage;

// Images of the network lists.
constexpr int kImageAdhoc = 0;
constexpr int kImageKey = 5;
constexpr int kImageConnected = 6;
constexpr int kImageNotConnected = 7;

QString StateWords(int state) {
  if (state == 0) return QStringLiteral("Active, connected");
  if (state == 1) return QStringLiteral("Active, not connected");
  return {};
}

QString NetworkWords(int type) {
  return type == 0 ? QStringLiteral("Ad hoc") : QStringLiteral("Infrastructure");
}

}  // namespace

QString ProfileRowSpeech(const profiles::ProfileRow& row) {
  QStringList parts = {QString::fromStdString(row.Name), QString::fromStdString(row.Ssid),
                       row.Secured ? QStringLiteral("secured") : QStringLiteral("open"),
                       NetworkWords(row.NetworkType)};
  if (row.State >= 0) parts.append(StateWords(row.State));
  return parts.join(QStringLiteral(", "));
}

void ProfileListModel::SetRows(const std::vector<profiles::ProfileRow>& rows) {
  const bool sameProfiles =
      rows.size() == rows_.size() &&
      std::equal(rows.begin(), rows.end(), rows_.begin(), [](const auto& a, const auto& b) {
        return a.Name == b.Name && a.Ssid == b.Ssid && a.Secured == b.Secured &&
               a.NetworkType == b.NetworkType;
      });
  if (!sameProfiles) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
    return;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows_[i].State == rows[i].State) continue;
    rows_[i].State = rows[i].State;
    emit dataChanged(index(int(i), 0), index(int(i), kColumnCount - 1));
  }
}

int ProfileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int ProfileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ProfileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
  const profiles::ProfileRow& row = rows_[size_t(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (column == kColumnName) return QString::fromStdString(row.Name);
      if (column == kColumnSsid) return QString::fromStdString(row.Ssid);
      return {};
    case Qt::DecorationRole:
      if (column == kColumnState && row.State == 0) return SurveyListImage(kImageConnected);
      if (column == kColumnState && row.State == 1) return SurveyListImage(kImageNotConnected);
      if (column == kColumnSecured && row.Secured) return SurveyListImage(kImageKey);
      if (column == kColumnNetworkType) return SurveyListImage(kImageAdhoc + row.NetworkType);
      return {};
    case Qt::TextAlignmentRole:
      return column == kColumnName || column == kColumnSsid
                 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                 : QVariant(Qt::AlignCenter);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
      if (column == kColumnState) return StateWords(row.State);
      if (column == kColumnSecured) return row.Secured ? QStringLiteral("Secured") : QString();
      if (column == kColumnNetworkType) return NetworkWords(row.NetworkType);
      return role == Qt::ToolTipRole ? ProfileRowSpeech(row) : data(index, Qt::DisplayRole);
    default:
      return {};
  }
}

QVariant ProfileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) {
    if (section == kColumnName) return QStringLiteral("NAME");
    if (section == kColumnSsid) return QStringLiteral("SSID");
    return QString();
  }
  if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
    static const char* const kNames[kColumnCount] = {"Active", "Name", "SSID", "Security",
                                                     "Network type"};
    return QString::fromLatin1(kNames[section]);
  }
  return {};
}

}  // namespace kavo9
