#include "common/platform/certs/FileCertStore.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

namespace kavo9 {
namespace {

using X509Ptr = std::unique_ptr<X509, decltype(&X509_free)>;
using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using BioPtr = std::unique_ptr<BIO, decltype(&BIO_free)>;

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BioPtr MemoryBio(const std::string& bytes) {
  return BioPtr(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())), BIO_free);
}

X509Ptr ParseCertificate(const std::string& bytes) {
  X509Ptr certificate(PEM_read_bio_X509(MemoryBio(bytes).get(), nullptr, nullptr, nullptr),
                      X509_free);
  if (!certificate) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    certificate.reset(d2i_X509(nullptr, &data, static_cast<long>(bytes.size())));
  }
  return certificate;
}

// The first entry of `nid` in the name, as UTF-8.
std::string NameEntry(X509_NAME* name, int nid) {
  const int index = X509_NAME_get_index_by_NID(name, nid, -1);
  if (index < 0) return {};
  ASN1_STRING* value = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index));
  unsigned char* utf8 = nullptr;
  const int length = ASN1_STRING_to_UTF8(&utf8, value);
  if (length < 0) return {};
  std::string text(reinterpret_cast<char*>(utf8), static_cast<std::size_t>(length));
  OPENSSL_free(utf8);
  return text;
}

std::string DisplayName(X509_NAME* name) {
  for (int nid :
       {NID_commonName, NID_organizationalUnitName, NID_organizationName, NID_pkcs9_emailAddress}) {
    std::string text = NameEntry(name, nid);
    if (!text.empty()) return text;
  }
  return {};
}

std::chrono::sys_seconds NotAfter(X509* certificate) {
  std::tm when{};
  if (ASN1_TIME_to_tm(X509_get0_notAfter(certificate), &when) != 1) return {};
  return std::chrono::sys_seconds(std::chrono::seconds(timegm(&when)));
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

StoredCertificate Describe(X509* certificate) {
  StoredCertificate described;
  described.subject = DisplayName(X509_get_subject_name(certificate));
  described.issuer = DisplayName(X509_get_issuer_name(certificate));
  described.notAfter = NotAfter(certificate);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (X509_digest(certificate, EVP_sha1(), digest, &length) == 1) {
    described.sha1.assign(digest, digest + length);
  }
  const int derLength = i2d_X509(certificate, nullptr);
  if (derLength > 0) {
    described.der.resize(static_cast<std::size_t>(derLength));
    unsigned char* out = described.der.data();
    i2d_X509(certificate, &out);
  }
  return described;
}

bool WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string PemOf(X509* certificate) {
  BioPtr bio(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_X509(bio.get(), certificate);
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<std::size_t>(length));
}

std::string PemOf(EVP_PKEY* key) {
  BioPtr bio(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr);
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<std::size_t>(length));
}

std::vector<std::string> ReadOrder(const std::filesystem::path& dir) {
  std::vector<std::string> order;
  std::ifstream in(dir / "order");
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) order.push_back(line);
  }
  return order;
}

void WriteOrder(const std::filesystem::path& dir, const std::vector<std::string>& order) {
  std::string text;
  for (const std::string& hash : order) text += hash + "\n";
  WriteFile(dir / "order", text);
}

}  // namespace

bool IsStoreName(std::string_view store) {
  return !store.empty() && store.size() <= 32 &&
         std::all_of(store.begin(), store.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::string HashText(const std::vector<uint8_t>& sha1) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : sha1) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

std::optional<StoredCertificate> ReadCertificateFile(const std::filesystem::path& file) {
  X509Ptr certificate = ParseCertificate(ReadAll(file));
  if (!certificate) return std::nullopt;
  StoredCertificate described = Describe(certificate.get());
  if (described.sha1.empty()) return std::nullopt;
  return described;
}

FileCertStore::FileCertStore(std::filesystem::path machineDir)
    : machineDir_(std::move(machineDir)) {}

std::filesystem::path FileCertStore::StoreDir(std::string_view store) const {
  return machineDir_ / "certstores" / std::string(store);
}

std::vector<StoredCertificate> FileCertStore::Certificates(std::string_view store) const {
  std::vector<StoredCertificate> found;
  if (!IsStoreName(store)) return found;
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(StoreDir(store), error)) {
    if (entry.path().extension() == ".pem") files.push_back(entry.path());
  }
  // The store's order is the order the certificates were added in (its "order" file); files put
  // there by hand come after them, by name.
  const std::vector<std::string> order = ReadOrder(StoreDir(store));
  auto rank = [&order](const std::filesystem::path& file) {
    const auto at = std::find(order.begin(), order.end(), file.stem().string());
    return static_cast<std::size_t>(at - order.begin());
  };
  std::sort(files.begin(), files.end(), [&rank](const auto& a, const auto& b) {
    const std::size_t ra = rank(a), rb = rank(b);
    return ra != rb ? ra < rb : a < b;
  });
  for (const auto& file : files) {
    std::optional<StoredCertificate> certificate = ReadCertificateFile(file);
    if (!certificate) continue;
    std::filesystem::path nameFile = file;
    nameFile.replace_extension(".name");
    if (std::filesystem::exists(nameFile, error)) certificate->friendlyName = ReadAll(nameFile);
    found.push_back(std::move(*certificate));
  }
  return found;
}

FileCertStore::Imported FileCertStore::Import(std::string_view store,
                                              const std::filesystem::path& file,
                                              const std::string& friendlyName) {
  if (!IsStoreName(store)) return {{}, "\"" + std::string(store) + "\" is no store name"};
  const std::string bytes = ReadAll(file);
  if (bytes.empty()) return {{}, "cannot read " + file.string()};
  X509Ptr certificate = ParseCertificate(bytes);
  if (!certificate) return {{}, file.string() + " holds no certificate (PEM or DER)"};
  const std::string hash = HashText(Describe(certificate.get()).sha1);
  const std::filesystem::path dir = StoreDir(store);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!WriteFile(dir / (hash + ".pem"), PemOf(certificate.get()))) {
    return {{}, "cannot write to " + dir.string()};
  }
  KeyPtr key(PEM_read_bio_PrivateKey(MemoryBio(bytes).get(), nullptr, nullptr, nullptr),
             EVP_PKEY_free);
  if (key) WriteFile(dir / (hash + ".key"), PemOf(key.get()));
  if (!friendlyName.empty()) WriteFile(dir / (hash + ".name"), friendlyName);
  std::vector<std::string> order = ReadOrder(dir);
  if (std::find(order.begin(), order.end(), hash) == order.end()) {
    order.push_back(hash);
    WriteOrder(dir, order);
  }
  return {hash, {}};
}

std::string FileCertStore::Remove(std::string_view store, std::string_view which) {
  if (!IsStoreName(store)) return "\"" + std::string(store) + "\" is no store name";
  std::string hash;
  for (const StoredCertificate& certificate : Certificates(store)) {
    const std::string text = HashText(certificate.sha1);
    if (Lower(text) == Lower(which)) hash = text;
  }
  if (hash.empty()) {
    // A certificate file names the certificate by its contents.
    if (auto described = ReadCertificateFile(std::filesystem::path(which))) {
      hash = HashText(described->sha1);
    }
  }
  const std::filesystem::path dir = StoreDir(store);
  std::error_code error;
  if (hash.empty() || !std::filesystem::exists(dir / (hash + ".pem"), error)) {
    return "no certificate " + std::string(which) + " in " + std::string(store);
  }
  for (const char* extension : {".pem", ".key", ".name"}) {
    std::filesystem::remove(dir / (hash + extension), error);
  }
  std::vector<std::string> order = ReadOrder(dir);
  std::erase(order, hash);
  WriteOrder(dir, order);
  return {};
}

}  // namespace kavo9
