#pragma once
// The radio requests that both the advanced page and the connect sequence send, so that both
// send them the same way.

#include <cstdint>

#include "radio/RadioPorts.h"

namespace kavo9::radio {

// Sends the 802.11n settings: queries the driver's HT PHY record, overwrites it from `word`
// (the driver keeps its extension channel) and sets it. On channel 14 only 20 MHz is allowed, so
// the width is cleared there first. Returns the word as sent.
uint32_t SendHtSettingWord(DriverPort& driver, uint32_t word, bool onChannel14 = false);

// Sends the rates of a mode: the desired rates for the transmit-rate index (or, in the 802.11n
// modes, for an automatic or fixed MCS) and, outside the 802.11n modes, the rate set.
void SendRates(DriverPort& driver, int wirelessMode, int transRate, bool mcsAuto);

}  // namespace kavo9::radio
