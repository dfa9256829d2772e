#pragma once
// The certificate stores of the simulated machine: a folder per store under
// <machine>/certstores/, one certificate per file named after its SHA-1 hash in hex
// ("<hash>.pem"), its friendly name in "<hash>.name" and, in "MY", its private key in "<hash>.key".
// Files that are not certificates are skipped, so a damaged file costs only itself.

#include <filesystem>
#include <string>

#include "common/platform/CertStore.h"

namespace kavo9 {

class FileCertStore : public CertStore {
 public:
  explicit FileCertStore(std::filesystem::path machineDir);
  std::vector<StoredCertificate> Certificates(std::string_view store) const override;

  // The folder of one store; the store's name must be a plain name ("MY", "ROOT", "CA").
  std::filesystem::path StoreDir(std::string_view store) const;

  struct Imported {
    std::string hash;   // hex, when it was added
    std::string error;  // what went wrong, else empty
  };
  // Adds the certificate in `file` (PEM or DER; a PEM file may also hold its private key, which
  // is kept beside it) under its hash. Importing the same certificate again replaces it.
  Imported Import(std::string_view store, const std::filesystem::path& file,
                  const std::string& friendlyName = {});
  // Removes the certificate whose hash (hex, any case) or whose stored file is `which`. Answers
  // an error text, empty when done.
  std::string Remove(std::string_view store, std::string_view which);

 private:
  std::filesystem::path machineDir_;
};

// Whether `store` is a plain store name (letters and digits only).
bool IsStoreName(std::string_view store);

// Reads one certificate (PEM or DER) with its display names and hash.
std::optional<StoredCertificate> ReadCertificateFile(const std::filesystem::path& file);

// The hash as hex digits, upper case.
std::string HashText(const std::vector<uint8_t>& sha1);

}  // namespace kavo9
