#include "test-certificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace murlo::test {

namespace {

constexpr long kDay = 24 * 60 * 60;
constexpr const char* kLoopbackNames = "DNS:localhost,IP:127.0.0.1";

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Cert = std::unique_ptr<X509, decltype(&X509_free)>;

void check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test certificate: ") + what);
}

Key newKey() {
  Key key(EVP_EC_gen("P-256"), &EVP_PKEY_free);
  check(key != nullptr, "no key");
  return key;
}

void addExtension(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  check(extension != nullptr, "bad extension");
  X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
}

Cert newCertificate(EVP_PKEY* key, const std::string& commonName, long from, long until) {
  static long serial = 1;
  Cert cert(X509_new(), &X509_free);
  check(cert != nullptr, "no certificate");
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial++);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), from);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), until);
  X509_set_pubkey(cert.get(), key);
  X509_NAME_add_entry_by_txt(X509_get_subject_name(cert.get()), "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
  return cert;
}

void writePem(const std::string& path, X509* cert, EVP_PKEY* key) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  check(file != nullptr, "cannot write");
  const bool ok = cert != nullptr
                      ? PEM_write_X509(file, cert) == 1
                      : PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
  std::fclose(file);
  check(ok, "cannot write PEM");
}

CertificateFiles writeFiles(const std::string& folder, const std::string& name, X509* cert,
                            EVP_PKEY* key) {
  const CertificateFiles files{folder + "/" + name + ".pem", folder + "/" + name + ".key"};
  writePem(files.certificate, cert, nullptr);
  writePem(files.key, nullptr, key);
  return files;
}

CertificateFiles authority(const std::string& folder, const std::string& name) {
  Key key = newKey();
  Cert cert = newCertificate(key.get(), name, -kDay, 30 * kDay);
  X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get()));
  addExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE");
  addExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
  check(X509_sign(cert.get(), key.get(), EVP_sha256()) > 0, "cannot sign");
  return writeFiles(folder, name, cert.get(), key.get());
}

template <typename T, typename Read>
std::unique_ptr<T, void (*)(T*)> readPem(const std::string& path, Read read, void (*free)(T*)) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  check(file != nullptr, "cannot read");
  T* value = read(file, nullptr, nullptr, nullptr);
  std::fclose(file);
  check(value != nullptr, "bad PEM");
  return {value, free};
}

}  // namespace

TestCertificates::TestCertificates(const std::string& folder)
    : folder_(folder),
      trusted_(authority(folder, "trusted-ca")),
      untrusted_(authority(folder, "unknown-ca")) {}

CertificateFiles TestCertificates::leaf(const std::string& name, const CertificateFiles& issuer,
                                        const std::string& altNames, Validity validity) const {
  const auto issuerCert = readPem<X509>(issuer.certificate, &PEM_read_X509, &X509_free);
  const auto issuerKey = readPem<EVP_PKEY>(issuer.key, &PEM_read_PrivateKey, &EVP_PKEY_free);
  Key key = newKey();
  Cert cert = newCertificate(key.get(), name, validity.fromSeconds, validity.untilSeconds);
  X509_set_issuer_name(cert.get(), X509_get_subject_name(issuerCert.get()));
  addExtension(cert.get(), issuerCert.get(), NID_basic_constraints, "critical,CA:FALSE");
  addExtension(cert.get(), issuerCert.get(), NID_subject_alt_name, altNames.c_str());
  check(X509_sign(cert.get(), issuerKey.get(), EVP_sha256()) > 0, "cannot sign");
  return writeFiles(folder_, name, cert.get(), key.get());
}

CertificateFiles TestCertificates::valid(const std::string& name) const {
  return leaf(name, trusted_, kLoopbackNames, {-kDay, 30 * kDay});
}

CertificateFiles TestCertificates::expired(const std::string& name) const {
  return leaf(name, trusted_, kLoopbackNames, {-30 * kDay, -kDay});
}

CertificateFiles TestCertificates::otherName(const std::string& name) const {
  return leaf(name, trusted_, "DNS:murlo.invalid", {-kDay, 30 * kDay});
}

CertificateFiles TestCertificates::unknownIssuer(const std::string& name) const {
  return leaf(name, untrusted_, kLoopbackNames, {-kDay, 30 * kDay});
}

}  // namespace murlo::test
