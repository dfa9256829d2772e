#include "radio/ht/HtRateTable.h"

namespace kavo9::radio {

namespace {

struct Row {
  int mcs;
  double rates[4];  // 20/800, 20/400, 40/800, 40/400; a negative rate is no entry
};

// The values keep the precision the rates are known by: MCS 8-15 at 400 ns to three decimals.
constexpr Row kRows[] = {
    {0, {6.5, 7.2, 13.5, 15.0}},        {1, {13.0, 14.4, 27.0, 30.0}},
    {2, {19.5, 21.7, 40.5, 45.0}},      {3, {26.0, 28.9, 54.0, 60.0}},
    {4, {39.0, 43.3, 81.0, 90.0}},      {5, {52.0, 57.8, 108.0, 120.0}},
    {6, {58.5, 65.0, 121.5, 135.0}},    {7, {65.0, 72.2, 135.0, 150.0}},
    {8, {13.0, 14.444, 27.0, 30.0}},    {9, {26.0, 28.889, 54.0, 60.0}},
    {10, {39.0, 43.333, 81.0, 90.0}},   {11, {52.0, 57.778, 108.0, 120.0}},
    {12, {78.0, 86.667, 162.0, 180.0}}, {13, {104.0, 115.556, 216.0, 240.0}},
    {14, {117.0, 130.0, 243.0, 270.0}}, {15, {130.0, 144.444, 270.0, 300.0}},
    {32, {-1, -1, 6.0, 6.7}},           {33, {-1, -1, 39.0, 43.3}},
};

}  // namespace

CHTTable::CHTTable() {
  for (const Row& row : kRows) {
    for (int column = 0; column < 4; ++column) {
      if (row.rates[column] < 0) continue;
      rates_[HtRateKey(column >= 2, column % 2 == 1, row.mcs)] = row.rates[column];
    }
  }
}

bool CHTTable::Find(const std::string& key, double* rate) const {
  auto it = rates_.find(key);
  if (it == rates_.end()) return false;
  *rate = it->second;
  return true;
}

const CHTTable& HtTable() {
  static const CHTTable table;
  return table;
}

std::string HtRateKey(bool width40, bool shortGuard, int mcs) {
  std::string key = width40 ? "40," : "20,";
  key += shortGuard ? "400," : "800,";
  key += std::to_string(mcs);
  return key;
}

bool LookupHtRate(bool width40, bool shortGuard, int mcs, double* rate) {
  if (!width40 && mcs == 32) return false;
  return HtTable().Find(HtRateKey(width40, shortGuard, mcs), rate);
}

}  // namespace kavo9::radio
