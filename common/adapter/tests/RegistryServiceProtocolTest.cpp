#include <gtest/gtest.h>

#include "common/adapter/RegistryServiceProtocol.h"

namespace kavo9 {
namespace {

ServiceRequest Decoded(const std::vector<uint8_t>& frame) {
  ServiceRequest request;
  size_t consumed = 0;
  std::string why;
  EXPECT_EQ(DecodeServiceRequest(frame, &request, &consumed, &why), ServiceDecode::kComplete)
      << why;
  EXPECT_EQ(consumed, frame.size());
  return request;
}

TEST(RegistryServiceProtocol, RequestsOfBothFormsComeThroughWhole) {
  ServiceRequest set{kProcSetValue, ServiceForm::kStation, "A\\B", "Radio", REG_SZ, "1", 2, 4};
  ServiceRequest got = Decoded(EncodeServiceRequest(set));
  EXPECT_EQ(got.procedure, kProcSetValue);
  EXPECT_EQ(got.path, "A\\B");
  EXPECT_EQ(got.name, "Radio");
  EXPECT_EQ(got.type, uint32_t(REG_SZ));
  EXPECT_EQ(got.data, "1");
  EXPECT_EQ(got.length, 2u);
  EXPECT_EQ(got.rootCode, 4u);

  set.form = ServiceForm::kSoftAp;  // no root code on the wire
  auto softAp = EncodeServiceRequest(set);
  EXPECT_EQ(softAp.size(), EncodeServiceRequest({kProcSetValue, ServiceForm::kStation, "A\\B",
                                                 "Radio", REG_SZ, "1", 2, 4})
                                   .size() -
                               4);
  EXPECT_EQ(Decoded(softAp).rootCode, 0u);

  for (uint32_t procedure : {kProcDeleteKey, kProcDeleteValue, kProcDeleteTree}) {
    ServiceRequest r{procedure, ServiceForm::kStation, "A", "B"};
    EXPECT_EQ(Decoded(EncodeServiceRequest(r)).name, "B");
  }
  ServiceRequest create{kProcCreateKey, ServiceForm::kStation, "A\\C"};
  create.rootCode = 2;
  EXPECT_EQ(Decoded(EncodeServiceRequest(create)).rootCode, 2u);
}

TEST(RegistryServiceProtocol, PartialFramesAskForMoreAndBadOnesAreRefused) {
  auto good = EncodeServiceRequest({kProcDeleteValue, ServiceForm::kSoftAp, "A", "B"});
  ServiceRequest request;
  size_t consumed = 0;
  std::string why;
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_EQ(DecodeServiceRequest(std::span(good).first(n), &request, &consumed, &why),
              ServiceDecode::kNeedMore)
        << n;
  }

  auto patched = [&](size_t at, uint8_t byte) {
    auto frame = good;
    frame[at] = byte;
    return frame;
  };
  auto withBody = [](std::vector<uint8_t> body) {
    std::vector<uint8_t> frame = {0x4B, 0x39, 0x53, 0x56, uint8_t(body.size()), 0, 0, 0};
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> frame;
    size_t consumed;  // 0: the connection cannot go on
  } cases[] = {
      {"bad magic", patched(0, 'X'), 0},
      {"too long", {0x4B, 0x39, 0x53, 0x56, 0, 0, 0x10, 0}, 0},
      {"unknown procedure", withBody({8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 20},
      {"unknown form", withBody({4, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}), 20},
      {"text longer than the body", withBody({6, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 'A'}), 21},
      {"zero inside a text", withBody({6, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 'B'}),
       26},
      {"trailing bytes", withBody({4, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 7}), 21},
      {"missing root code", withBody({4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeServiceRequest(c.frame, &request, &consumed, &why), ServiceDecode::kMalformed)
        << c.name;
    EXPECT_EQ(consumed, c.consumed) << c.name;
    EXPECT_FALSE(why.empty()) << c.name;
  }
}

TEST(RegistryServiceProtocol, Replies) {
  int32_t status = -1;
  EXPECT_EQ(DecodeServiceReply(EncodeServiceReply(5), &status), ServiceDecode::kComplete);
  EXPECT_EQ(status, 5);
  EXPECT_EQ(DecodeServiceReply(std::vector<uint8_t>{0x4B, 0x39}, &status),
            ServiceDecode::kNeedMore);
  EXPECT_EQ(DecodeServiceReply(std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}, &status),
            ServiceDecode::kMalformed);
}

}  // namespace
}  // namespace kavo9
