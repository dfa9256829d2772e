#pragma once
// The checks a program runs on the server's certificate during a request of type
// AC_CRED_SERVER_CHECK: the chain against the machine's trusted roots or against one CA, and the
// server's names against a configured one.

#include <filesystem>
#include <string>
#include <vector>

namespace kavo9::acauth {

// The chain verifies against the certificates of the machine's "ROOT" store.
bool ChainTrustedByMachine(const std::vector<std::string>& chainPem,
                           const std::filesystem::path& machineDir);
// The chain verifies against `caPem` alone.
bool ChainIssuedBy(const std::vector<std::string>& chainPem, const std::string& caPem);

// The values of a certificate field (AC_FIELD_...): none when the certificate lacks it.
std::vector<std::string> FieldValues(const std::string& certPem, int field);
// Every field of the certificate as "name=value", in the order of the field codes.
std::vector<std::string> FieldTexts(const std::string& certPem);

// `name` equals `value` (without regard to case) or, with `suffix`, ends it at a label
// boundary: "acme.example" matches "radius.acme.example" but not "notacme.example".
bool NameMatches(const std::string& value, const std::string& name, bool suffix);

}  // namespace kavo9::acauth
