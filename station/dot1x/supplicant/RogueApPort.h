#pragma once
// Where a rogue access point the library found is reported (CCX). Without a CCX part every
// rogue access point is answered as not reported.

#include <cstdint>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

class RogueApPort {
 public:
  virtual ~RogueApPort() = default;
  // Answers the request with acCredCcxRogueAP and completes it; the library's result.
  virtual int AnswerRogueApRequest(int handle, const acCredRequest& request) = 0;
};

class NotReportedRogueAp : public RogueApPort {
 public:
  explicit NotReportedRogueAp(Supplicant& library) : library_(library) {}
  int AnswerRogueApRequest(int handle, const acCredRequest& request) override {
    const int answered = library_.CredCcxRogueAP(handle, request.id, 0);
    if (answered != AC_OK && answered != AC_ERR_ALREADY_ANSWERED) return answered;
    return library_.CredComplete(handle, request.id);
  }

 private:
  Supplicant& library_;
};

}  // namespace kavo9::dot1x
