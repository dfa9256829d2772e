#include "station/wps/page/ui/WpsListModels.h"

#include "station/networks/ui/SurveyListImages.h"

namespace kavo9 {
namespace {

constexpr int kKeyImage = 5, kConnectedImage = 6, kTryingImage = 7;

QString SecuredWord(bool secured) {
  return secured ? QStringLiteral("secured") : QStringLiteral("open");
}

}  // namespace

void WpsApListModel::SetRows(const std::vector<wps::WpsApRow>& rows) {
  std::vector<Row> next;
  for (const wps::WpsApRow& r : rows) {
    next.push_back({QString::fromStdString(r.IdColumn()), QString::fromStdString(r.Ssid),
                    QString::fromStdString(r.BssidText), QString::fromStdString(r.ChannelText),
                    r.Secured});
  }
  if (next.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(next);
    endResetModel();
    return;
  }
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i] == next[i]) continue;
    rows_[i] = next[i];
    emit dataChanged(index(int(i), 0), index(int(i), columnCount() - 1));
  }
}

int WpsApListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int WpsApListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(kWpsApColumnWidths.size());
}

QVariant WpsApListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
  const Row& r = rows_[size_t(index.row())];
  const QString speech = r.ssid + ", " + r.bssid + ", channel " +
                         (r.channel.isEmpty() ? QStringLiteral("unknown") : r.channel) + ", " +
                         r.id + ", " + SecuredWord(r.secured);
  if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) return speech;
  switch (index.column()) {
    case 1:
      return role == Qt::DisplayRole ? QVariant(r.id) : QVariant();
    case 2:
      return role == Qt::DisplayRole ? QVariant(r.ssid) : QVariant();
    case 3:
      return role == Qt::DisplayRole ? QVariant(r.bssid) : QVariant();
    case 4:
      return role == Qt::DisplayRole ? QVariant(r.channel) : QVariant();
    case 5:
      if (role == Qt::DecorationRole && r.secured) return SurveyListImage(kKeyImage);
      return {};
    default:
      return {};
  }
}

QVariant WpsApListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kTitles[] = {"", "ID", "SSID", "BSSID", "Channel", ""};
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kTitles[section]);
  if (role == Qt::AccessibleTextRole && section == 5) return QStringLiteral("Security");
  return {};
}

void WpsProfileListModel::SetRows(const wps::WpsCredentialTable& table,
                                  const std::vector<int>& states) {
  std::vector<Row> next;
  for (uint32_t i = 0; i < table.Count && i < wps::kMaxCredentials; ++i) {
    next.push_back({QString::fromStdString(table.Slots[i].SsidText()), table.Slots[i].Secured(),
                    i < states.size() ? states[i] : -1});
  }
  if (next.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(next);
    endResetModel();
    return;
  }
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i] == next[i]) continue;
    rows_[i] = next[i];
    emit dataChanged(index(int(i), 0), index(int(i), columnCount() - 1));
  }
}

int WpsProfileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int WpsProfileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(kWpsProfileColumnWidths.size());
}

QVariant WpsProfileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
  const Row& r = rows_[size_t(index.row())];
  const QString state = r.state == 0   ? QStringLiteral("connected")
                        : r.state == 1 ? QStringLiteral("connecting")
                                       : QString();
  if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
    return r.ssid + ", " + SecuredWord(r.secured) + (state.isEmpty() ? "" : ", " + state);
  }
  switch (index.column()) {
    case 0:
      if (role == Qt::DecorationRole && r.state >= 0) {
        return SurveyListImage(r.state == 0 ? kConnectedImage : kTryingImage);
      }
      return {};
    case 1:
      return role == Qt::DisplayRole ? QVariant(r.ssid) : QVariant();
    case 3:
      if (role == Qt::DecorationRole && r.secured) return SurveyListImage(kKeyImage);
      if (role == Qt::DisplayRole) return state;
      return {};
    default:
      return {};
  }
}

QVariant WpsProfileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kTitles[] = {"", "SSID", "BSSID", ""};
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kTitles[section]);
  return {};
}

}  // namespace kavo9
