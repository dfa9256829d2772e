#pragma once
// Certificates for the pictures of the 802.1X page, imported into a machine whose stores are
// still empty.

#include <filesystem>

namespace kavo9 {

void ImportScreenshotCertificates(const std::filesystem::path& machineDir);

}  // namespace kavo9
