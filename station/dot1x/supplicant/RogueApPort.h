#pragma once
// Where a rogue access point the library found is reported (CCX). Until a CCX part takes the
// reports, every rogue access point is answered as not reported.

#include <cstdint>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

class RogueApPort {
 public:
  virtual ~RogueApPort() = default;
  // Answers the request with acCredCcxRogueAP; the library's result. The caller completes it.
  virtual int AnswerRogueApRequest(int handle, const acCredRequest& request) = 0;
};

class NotReportedRogueAp : public RogueApPort {
 public:
  explicit NotReportedRogueAp(Supplicant& library) : library_(library) {}
  int AnswerRogueApRequest(int handle, const acCredRequest& request) override {
    return library_.CredCcxRogueAP(handle, request.id, 0);
  }

 private:
  Supplicant& library_;
};

}  // namespace kavo9::dot1x
