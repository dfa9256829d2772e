#include "station/networks/ui/SiteSurveyModel.h"

#include <QColor>

#include "station/networks/survey/SurveySpeech.h"

#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/ui/SurveyListImages.h"

namespace kavo9 {

QString OctetsText(std::string_view octets) {
  const QString shown = QString::fromUtf8(octets.data(), qsizetype(octets.size()));
  if (shown.contains(QChar::ReplacementCharacter))
    return QString::fromLatin1(octets.data(), qsizetype(octets.size()));
  return shown;
}

SiteSurveyModel::SiteSurveyModel(QObject* parent) : QAbstractTableModel(parent) {}

int SiteSurveyModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int SiteSurveyModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kSurveyColumnCount;
}

QVariant SiteSurveyModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return {};
  const SiteSurveyRow& row = rows_[size_t(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole: {
      const std::string text = SurveyCellText(row, column, showDbm_);
      if (text.empty()) return {};
      return OctetsText(text);
    }
    case Qt::DecorationRole: {
      const int image = SurveyCellImage(row, column);
      if (image == kNoImage) return {};
      return SurveyListImage(image);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(
          (kSurveyColumns[size_t(column)].LeftAligned ? Qt::AlignLeft : Qt::AlignHCenter) |
          Qt::AlignVCenter));
    case Qt::ToolTipRole:
      return OctetsText(SurveyRowToolTip(row, words_));
    case Qt::AccessibleTextRole: {
      // The first columns carry the whole row, so the row is heard whichever cell has the focus
      // when the selection moves; the others say what they show.
      if (column == kColConnected || column == kColSsid)
        return OctetsText(SurveyRowSpeech(row, showDbm_, words_));
      return QString::fromStdString(SurveyCellSpeech(row, column, showDbm_));
    }
    case Qt::AccessibleDescriptionRole:
      return OctetsText(SurveyRowSpeech(row, showDbm_, words_));
    case kSignalPercentRole:
      return column == kColSignalBar ? QVariant(SurveySignalPercent(row)) : QVariant();
    case kBarColourRole: {
      if (column != kColSignalBar) return {};
      const Rgb c = SignalBarColour(SurveySignalPercent(row));
      return QColor(c.R, c.G, c.B);
    }
    default:
      return {};
  }
}

QVariant SiteSurveyModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kSurveyColumnCount) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
    return QString::fromStdString(SurveyColumnName(section));
  return {};
}

void SiteSurveyModel::SetRows(const std::vector<SiteSurveyRow>& rows) {
  const size_t shown = rows_.size();
  const size_t common = std::min(shown, rows.size());

  // Rows that exist on both sides: report runs of changed rows.
  size_t runStart = common;
  for (size_t i = 0; i <= common; ++i) {
    const bool changed = i < common && !(rows_[i] == rows[i]);
    if (changed) {
      rows_[i] = rows[i];
      if (runStart == common) runStart = i;
    } else if (runStart != common) {
      emit dataChanged(index(int(runStart), 0), index(int(i) - 1, kSurveyColumnCount - 1));
      runStart = common;
    }
  }

  if (rows.size() > shown) {
    beginInsertRows({}, int(shown), int(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin() + ptrdiff_t(shown), rows.end());
    endInsertRows();
  } else if (rows.size() < shown) {
    beginRemoveRows({}, int(rows.size()), int(shown) - 1);
    rows_.resize(rows.size());
    endRemoveRows();
  }
}

void SiteSurveyModel::SetShowDbm(bool showDbm) {
  if (showDbm == showDbm_) return;
  showDbm_ = showDbm;
  if (!rows_.empty())
    emit dataChanged(index(0, kColSignalText), index(int(rows_.size()) - 1, kColSignalBar),
                     {Qt::DisplayRole, Qt::AccessibleTextRole});
}

}  // namespace kavo9
