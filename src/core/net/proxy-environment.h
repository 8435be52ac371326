// The proxy the environment names for an address, read as curl and Wget read it: the
// scheme's own variable (http_proxy, https_proxy or HTTPS_PROXY, ftp_proxy or FTP_PROXY),
// else all_proxy or ALL_PROXY, unless no_proxy or NO_PROXY lists the host. Upper-case
// HTTP_PROXY is never read: a CGI program gets it from a request's "Proxy:" header.
//
//   const ProxyEnvironment env = ProxyEnvironment::fromProcess();
//   const EnvironmentProxy chosen = env.proxyFor("https://example.com/file.zip");
//   // chosen.proxy: "" for a direct connection; chosen.variable: where it came from
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace murlo {

struct EnvironmentProxy {
  std::string proxy;     // as the variable gives it; empty: a direct connection
  std::string variable;  // the variable that chose it (no_proxy when it excluded the host)
};

class ProxyEnvironment {
 public:
  // The proxy variables of the running process, read once here.
  static ProxyEnvironment fromProcess();
  explicit ProxyEnvironment(std::map<std::string, std::string> variables)
      : variables_(std::move(variables)) {}

  // The proxy for an absolute address; a direct connection when it has no host.
  EnvironmentProxy proxyFor(std::string_view url) const;
  // The proxy for `scheme` (lower case) before no_proxy is looked at.
  EnvironmentProxy schemeProxy(std::string_view scheme) const;
  // The no_proxy list and the variable it came from; both empty when none is set.
  EnvironmentProxy exclusions() const;

 private:
  // The value of the first of the names that is set (also when it is set empty).
  EnvironmentProxy firstSet(std::initializer_list<std::string> names) const;

  std::map<std::string, std::string> variables_;
};

// Whether a no_proxy list (names and addresses separated by commas or blanks) excludes
// `host`: "*" excludes every host; a name excludes itself and the names under it (a leading
// dot changes nothing); an IP address, or one with "/bits", the addresses it covers.
bool noProxyExcludes(std::string_view list, std::string_view host);

// What the settings page shows of the proxy in effect (UTF-8): the settings' own proxy when
// they name one, else the environment's for http and https addresses with its exclusions,
// or a direct connection.
std::string proxyInEffectText(const std::optional<std::string>& settingsProxy,
                              const ProxyEnvironment& environment);

}  // namespace murlo
