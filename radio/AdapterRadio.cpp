#include "radio/AdapterRadio.h"

#include "radio/RegionRefresh.h"

namespace kavo9::radio {

void AdapterRadio::TakeAdapter() {
  const AdapterIdentity& identity = adapter_.Identity();
  state_.chipKind = identity.chipKind;
  state_.bands.ht = identity.isHtFamily;
  state_.bands.has5G = adapter_.Supports5GHz();
}

void AdapterRadio::ReadHtPermissions() {
  TakeAdapter();
  ReadBw40Permissions(state_, driver_);
}

void AdapterRadio::RefreshChannels() {
  TakeAdapter();
  RefreshCountryRegion(state_, driver_, store_);
}

std::vector<int> AdapterRadio::AllowedChannels() const {
  return BuildAllowedChannels({.regionWord = state_.region.word,
                               .chipKind = state_.chipKind,
                               .wirelessMode = state_.wirelessMode});
}

}  // namespace kavo9::radio
