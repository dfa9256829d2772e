#include "station/dot1x/supplicant/PacSteps.h"

#include <array>
#include <optional>
#include <vector>

#include "station/dot1x/pac/PacFile.h"

namespace kavo9::dot1x {

void LoadPac(Supplicant& library, PacHost& host, int handle, uint32_t id,
             std::string_view outerIdentity) {
  std::vector<uint8_t> aid;
  const int asked = library.CredGetEapFASTAID(handle, id, kServerAidRoom, &aid);
  if (asked != AC_OK) {
    library.CredComplete(handle, id);  // no A-ID, no PAC: failed rather than left waiting
    return;
  }
  const std::string path = host.PacPath();
  std::optional<PacContents> stored;
  if (!path.empty()) stored = LoadPacFile(host.HostPath(path), aid, PacUserIid(outerIdentity));
  acObject pac = nullptr;
  if (stored && library.EapFASTPacCreate(&pac) == AC_OK) {
    library.EapFASTPacSet(pac, AC_PAC_KEY, stored->key);
    library.EapFASTPacSet(pac, AC_PAC_OPAQUE, stored->opaque);
  }
  library.CredEapFASTPac(handle, id, pac);
  library.CredComplete(handle, id);
  if (pac) library.EapFASTPacDestroy(pac);
}

namespace {

// The four parts one after the other in the data area, each given the room that is left.
std::optional<PacContents> FetchProvisionedPac(Supplicant& library, int handle, uint32_t id) {
  std::array<uint8_t, kPacDataSize> area{};
  PacContents contents;
  const struct {
    int part;
    PacBytes* out;
  } parts[] = {{AC_PAC_AID, &contents.aid},
               {AC_PAC_IID, &contents.iid},
               {AC_PAC_KEY, &contents.key},
               {AC_PAC_OPAQUE, &contents.opaque}};
  size_t used = 0;
  for (const auto& p : parts) {
    const std::span<uint8_t> room(area.data() + used, area.size() - used);
    int length = 0;
    if (library.CredGetEapFASTPac(handle, id, p.part, room, &length) != AC_OK) return std::nullopt;
    if (length < 0 || size_t(length) > room.size()) return std::nullopt;
    p.out->assign(room.begin(), room.begin() + length);
    used += size_t(length);
  }
  return contents;
}

}  // namespace

void SavePac(Supplicant& library, PacHost& host, int handle, uint32_t id) {
  host.SetPacPath({});
  if (const std::optional<PacContents> pac = FetchProvisionedPac(library, handle, id)) {
    const std::string path = host.DefaultPacPath();
    host.SetPacPath(path);
    host.StorePacPath(path);
    const std::filesystem::path file = host.HostPath(path);
    if (!file.empty()) SavePacFile(file, *pac);
  }
  library.CredComplete(handle, id);
}

void DiscardPac(PacHost& host) {
  const std::filesystem::path file = host.HostPath(host.DefaultPacPath());
  if (!file.empty()) DiscardPacFile(file);
}

}  // namespace kavo9::dot1x
