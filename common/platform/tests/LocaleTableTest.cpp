#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "common/platform/LocaleTable.h"

namespace kavo9 {
namespace {

TEST(LocaleTable, LocaleNamesGiveWindowsLanguageIds) {
  struct Case {
    const char* locale;
    uint16_t expected;
  } cases[] = {
      {"en_US.UTF-8", 0x0409},
      {"en_GB.UTF-8", 0x0809},
      {"zh_CN", 0x0804},
      {"zh_CN.GB18030", 0x0804},
      {"zh_TW.Big5", 0x0404},
      {"zh_HK", 0x0C04},
      {"ja_JP.eucJP", 0x0411},
      {"ko_KR", 0x0412},
      {"de_DE@euro", 0x0407},
      {"de_AT", 0x0C07},
      {"fr_FR", 0x040C},
      {"fr_CA", 0x0C0C},
      {"es_ES", 0x0C0A},
      {"es_MX", 0x080A},
      {"it_IT", 0x0410},
      {"pt_BR", 0x0416},
      {"pt_PT", 0x0816},
      {"ru_RU.KOI8-R", 0x0419},
      {"nl_NL", 0x0413},
      {"pl_PL", 0x0415},
      {"tr_TR", 0x041F},
      {"sv_SE", 0x041D},
      {"cs_CZ", 0x0405},
      {"he_IL", 0x040D},
      {"ar_EG", 0x0C01},
      {"th_TH", 0x041E},
      {"vi_VN", 0x042A},
      {"sr_RS", 0x281A},
      {"sr_RS@latin", 0x241A},
      {"ca_ES@valencia", 0x0803},
      {"de", 0x0407},
      {"zh", 0x0804},
      {"de_BE", 0x0407},  // language fallback
      {"EN-gb", 0x0809},
      {"C", 0x0409},
      {"POSIX", 0x0409},
      {"C.UTF-8", 0x0409},
      {"", 0x0409},
      {"xx_YY", 0x0409},
      {"_US", 0x0409},
      {"@latin", 0x0409},
      {"..@", 0x0409},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageIdFromLocale(c.locale), c.expected) << c.locale;
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (size_t i = 0; i < 3; ++i) {
      if (const char* v = std::getenv(kNames[i])) saved_[i] = v;
      unsetenv(kNames[i]);
    }
  }
  ~LocaleEnvironment() {
    for (size_t i = 0; i < 3; ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

 private:
  std::optional<std::string> saved_[3];
};

TEST(LocaleTable, UserLocaleReadsLcAllThenLcMessagesThenLang) {
  LocaleEnvironment environment;
  EXPECT_EQ(UserLocaleLanguageId(), 0x0409);
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(UserLocaleLanguageId(), 0x0407);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  EXPECT_EQ(UserLocaleLanguageId(), 0x0411);
  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(UserLocaleLanguageId(), 0x0411);
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(UserLocaleLanguageId(), 0x0804);
}

}  // namespace
}  // namespace kavo9
