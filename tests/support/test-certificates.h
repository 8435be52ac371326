// Certificates made at test time for the HTTPS tests: a certificate authority the test
// trusts, one it does not, and server certificates signed by them, written as PEM files.
// The keys are throw-away keys of the test's own sandbox.
#pragma once

#include <string>

namespace murlo::test {

struct CertificateFiles {
  std::string certificate;  // PEM
  std::string key;          // PEM, unencrypted
};

class TestCertificates {
 public:
  // Makes both authorities in `folder`.
  explicit TestCertificates(const std::string& folder);

  // The PEM file of the authority the test trusts.
  const std::string& trustedAuthority() const { return trusted_.certificate; }

  // A server certificate for 127.0.0.1 and localhost, valid now, from the trusted authority.
  CertificateFiles valid(const std::string& name) const;
  // The same, valid only until yesterday.
  CertificateFiles expired(const std::string& name) const;
  // Valid, but made out for another host name only.
  CertificateFiles otherName(const std::string& name) const;
  // Valid, from the authority nobody trusts.
  CertificateFiles unknownIssuer(const std::string& name) const;

 private:
  struct Validity {
    long fromSeconds;  // relative to now
    long untilSeconds;
  };
  CertificateFiles leaf(const std::string& name, const CertificateFiles& issuer,
                        const std::string& altNames, Validity validity) const;

  std::string folder_;
  CertificateFiles trusted_;
  CertificateFiles untrusted_;
};

}  // namespace murlo::test
