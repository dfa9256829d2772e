#pragma once
// Control numbers of the statistics page and its two tabs; each control's object name is its
// number.

#include <array>

namespace kavo9::statisticspage {

inline constexpr int kDialog = 146;
inline constexpr int kTxTabDialog = 255;
inline constexpr int kRxTabDialog = 256;
inline constexpr int kTabArea = 1329;
inline constexpr int kTxTabButton = 1242;
inline constexpr int kRxTabButton = 1243;
inline constexpr int kResetCounter = 1315;

struct CounterLine {
  int caption;
  int value;
};
// In the order of the logic's lines (TxLine, RxLine).
inline constexpr std::array<CounterLine, 6> kTxLines = {
    {{1171, 1183}, {1173, 1185}, {1174, 1186}, {1175, 1187}, {1176, 1188}, {1172, 1184}}};
inline constexpr std::array<CounterLine, 4> kRxLines = {
    {{1187, 1188}, {1193, 1194}, {1195, 1196}, {1197, 1198}}};

}  // namespace kavo9::statisticspage
