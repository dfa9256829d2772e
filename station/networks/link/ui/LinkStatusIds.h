#pragma once
// Control numbers of the link status panel; each control's object name is its number.

namespace kavo9::linkstatus {

inline constexpr int kDialog = 170;

// Caption and value of each text line.
struct TextLine {
  int caption;
  int value;
};
inline constexpr TextLine kStatus{1026, 1027};
inline constexpr TextLine kExtraInfo{1028, 1029};
inline constexpr TextLine kChannel{1030, 1031};
inline constexpr TextLine kAuthentication{1032, 1033};
inline constexpr TextLine kEncryption{1034, 1035};
inline constexpr TextLine kNetworkType{1036, 1037};
inline constexpr TextLine kIpAddress{1038, 1039};
inline constexpr TextLine kIpMask{1040, 1041};
inline constexpr TextLine kGateway{1042, 1043};
inline constexpr TextLine kTxRate{1054, 1058};
inline constexpr TextLine kTxThroughput{1056, 1059};
inline constexpr TextLine kRxRate{1055, 1060};
inline constexpr TextLine kRxThroughput{1057, 1061};
inline constexpr TextLine kBw{3269, 3286};
inline constexpr TextLine kGi{3270, 3285};
inline constexpr TextLine kStbc{3271, 3287};
inline constexpr TextLine kMcs{3272, 1288};
inline constexpr TextLine kSnr0{1275, 1289};
inline constexpr TextLine kSnr1{1276, 1290};

inline constexpr int kTransmitSeparator = 1052;
inline constexpr int kReceiveSeparator = 1053;
inline constexpr int kHtSeparator = 1274;

inline constexpr int kQualityBar = 1049;
inline constexpr int kSignalBar0 = 1050;
inline constexpr int kSignalBar1 = 1062;
inline constexpr int kSignalBar2 = 1063;
inline constexpr int kNoiseBar = 1051;
inline constexpr int kTxGraph = 1139;
inline constexpr int kRxGraph = 1140;

// The signal / noise / SNR history of the last ten minutes has no number of its own.
inline constexpr const char* kSignalHistoryName = "signalHistory";

}  // namespace kavo9::linkstatus
