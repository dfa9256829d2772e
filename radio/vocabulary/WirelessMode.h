#pragma once
// Wireless mode numbers 0-9, how a stored mode is fitted to the adapter, the band texts the mode
// combo shows and the ad hoc OFDM code of a mode.
//
//  0 B/G mix   1 B only   2 A only   3 A/B/G mix   4 G only
//  5 A/B/G/N mix   6 N only   7 G/N mix   8 A/N mix   9 B/G/N mix

#include <optional>
#include <string_view>

namespace kavo9::radio {

// What the adapter can do: the 5 GHz band and 802.11n.
struct AdapterBands {
  bool has5G = false;
  bool ht = false;
};

// The 802.11n modes, shown with the 802.11n group.
bool IsHtMode(int mode);
// The modes that use the 5 GHz band.
bool ModeUses5G(int mode);

// Fits a stored or chosen mode to the adapter, so that it only names bands the adapter has.
int NormaliseWirelessMode(int mode, AdapterBands bands);

// Language keys of the band texts.
inline constexpr std::string_view kPhy24G = "IDS_PHY_24G";
inline constexpr std::string_view kPhy5G = "IDS_PHY_5G";
inline constexpr std::string_view kPhy24And5G = "IDS_PHY_24_5G";

// The mode a band text stands for on this adapter (9/8/5 with 802.11n, else 0/2/3); -1 for a key
// that is no band text.
int ModeFromBandKey(std::string_view key, bool ht);
// The band text of a mode: the three band modes map back; any other mode shows 2.4 GHz.
std::string_view BandKeyFromMode(int mode, bool ht);
// The mode the wireless-mode combo stands for while it shows `mode`: the mode of its band text,
// fitted to the adapter. The page offers only the band modes, so a stored mode it has no entry for
// (0 on an 802.11n adapter, say) shows as 2.4 GHz and is applied as what it shows.
int ShownBandMode(int mode, AdapterBands bands);

// The ad hoc OFDM code (`AdhocOfdm`, word 4 of the station options); mode 7 and unknown modes
// have none.
std::optional<int> AdhocOfdmCode(int mode);

}  // namespace kavo9::radio
