#pragma once
// The handlers of the element walk, one per element family. Internal to the decoder.

#include "station/networks/BssElementSummary.h"
#include "station/networks/ElementWalk.h"

namespace kavo9::detail {

// RSN element (48). `infrastructure`: the record's InfrastructureMode is nonzero.
ElementParse DecodeRsn(std::span<const uint8_t> body, bool infrastructure, BssElementSummary& out);
// Vendor element read with the WPA layout (00-50-F2-01/02 or any 00-40-96 type).
ElementParse DecodeWpaVendor(std::span<const uint8_t> body, bool infrastructure,
                             BssElementSummary& out);
// WPS vendor element (00-50-F2-04): the attributes after the OUI and type.
ElementParse DecodeWps(std::span<const uint8_t> body, WpsInfo& out);
// Elements 45, 52, 61, 62, 127 and the 00-90-4C vendor forms.
ElementParse DecodeHt(const Element& element, HtInfo& out);

}  // namespace kavo9::detail
