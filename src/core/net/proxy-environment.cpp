#include "net/proxy-environment.h"

#include <arpa/inet.h>
#include <curl/curl.h>

#include <array>
#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "text/cp932.h"

namespace murlo {

namespace {

constexpr const char* kVariableNames[] = {"http_proxy", "https_proxy", "HTTPS_PROXY",
                                          "ftp_proxy",  "FTP_PROXY",   "all_proxy",
                                          "ALL_PROXY",  "no_proxy",    "NO_PROXY"};

std::string upperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// An IPv4 or IPv6 address in network order; family 0 when the text is no address.
struct IpAddress {
  int family = 0;
  std::array<unsigned char, 16> bytes{};
  int bits() const { return family == AF_INET ? 32 : 128; }
};

IpAddress parseIp(std::string_view text) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    text = text.substr(1, text.size() - 2);
  }
  const std::string copy(text);
  IpAddress ip;
  if (::inet_pton(AF_INET, copy.c_str(), ip.bytes.data()) == 1) {
    ip.family = AF_INET;
  } else if (::inet_pton(AF_INET6, copy.c_str(), ip.bytes.data()) == 1) {
    ip.family = AF_INET6;
  }
  return ip;
}

// Whether the first `bits` bits of both addresses agree.
bool samePrefix(const IpAddress& a, const IpAddress& b, int bits) {
  for (int i = 0; i < bits; ++i) {
    const int mask = 0x80 >> (i % 8);
    if ((a.bytes[i / 8] & mask) != (b.bytes[i / 8] & mask)) return false;
  }
  return true;
}

// Whether one entry of a no_proxy list excludes `host`.
bool entryExcludes(std::string_view entry, std::string_view host) {
  const IpAddress hostIp = parseIp(host);
  if (hostIp.family != 0) {
    const std::size_t slash = entry.find('/');
    const IpAddress net = parseIp(entry.substr(0, slash));
    if (net.family != hostIp.family) return false;
    int bits = net.bits();
    if (slash != std::string_view::npos) {
      const std::string_view digits = entry.substr(slash + 1);
      if (digits.empty() || digits.size() > 3) return false;
      bits = 0;
      for (char c : digits) {
        if (c < '0' || c > '9') return false;
        bits = bits * 10 + (c - '0');
      }
      if (bits > net.bits()) return false;
    }
    return samePrefix(net, hostIp, bits);
  }
  if (entry.starts_with('.')) entry.remove_prefix(1);
  if (entry.ends_with('.')) entry.remove_suffix(1);
  if (host.ends_with('.')) host.remove_suffix(1);
  if (entry.empty() || host.size() < entry.size()) return false;
  if (!equalsIgnoreAsciiCase(host.substr(host.size() - entry.size()), entry)) return false;
  return host.size() == entry.size() || host[host.size() - entry.size() - 1] == '.';
}

// The scheme and host of an absolute address; empty when it has none.
std::pair<std::string, std::string> schemeAndHost(std::string_view url) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> handle(curl_url(), &curl_url_cleanup);
  const std::string text(url);
  if (!handle || curl_url_set(handle.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) {
    return {};
  }
  const auto part = [&](CURLUPart which) {
    char* value = nullptr;
    if (curl_url_get(handle.get(), which, &value, 0) != CURLUE_OK) return std::string();
    std::string out(value);
    curl_free(value);
    return out;
  };
  return {part(CURLUPART_SCHEME), part(CURLUPART_HOST)};
}

}  // namespace

ProxyEnvironment ProxyEnvironment::fromProcess() {
  std::map<std::string, std::string> variables;
  for (const char* name : kVariableNames) {
    if (const char* value = std::getenv(name)) variables[name] = value;
  }
  return ProxyEnvironment(std::move(variables));
}

EnvironmentProxy ProxyEnvironment::firstSet(std::initializer_list<std::string> names) const {
  for (const std::string& name : names) {
    const auto found = variables_.find(name);
    if (found != variables_.end()) return {found->second, name};
  }
  return {};
}

EnvironmentProxy ProxyEnvironment::schemeProxy(std::string_view scheme) const {
  const std::string own = std::string(scheme) + "_proxy";
  // A set variable decides, also when it is empty (a direct connection for that scheme).
  EnvironmentProxy chosen = scheme == "http" ? firstSet({own}) : firstSet({own, upperCase(own)});
  if (!chosen.variable.empty()) return chosen;
  return firstSet({"all_proxy", "ALL_PROXY"});
}

EnvironmentProxy ProxyEnvironment::exclusions() const { return firstSet({"no_proxy", "NO_PROXY"}); }

EnvironmentProxy ProxyEnvironment::proxyFor(std::string_view url) const {
  const auto [scheme, host] = schemeAndHost(url);
  if (host.empty()) return {};
  EnvironmentProxy chosen = schemeProxy(scheme);
  if (chosen.proxy.empty()) return chosen;
  const EnvironmentProxy excluded = exclusions();
  if (noProxyExcludes(excluded.proxy, host)) return {"", excluded.variable};
  return chosen;
}

bool noProxyExcludes(std::string_view list, std::string_view host) {
  std::size_t pos = 0;
  while (pos < list.size()) {
    const std::size_t end = std::min(list.find_first_of(", \t", pos), list.size());
    const std::string_view entry = list.substr(pos, end - pos);
    if (entry == "*") return true;
    if (!entry.empty() && entryExcludes(entry, host)) return true;
    pos = end + 1;
  }
  return false;
}

std::string proxyInEffectText(const std::optional<std::string>& settingsProxy,
                              const ProxyEnvironment& environment) {
  if (settingsProxy) return "使用中のﾌﾟﾛｷｼ：" + *settingsProxy + " (この設定)";
  std::string text;
  for (const char* scheme : {"http", "https"}) {
    const EnvironmentProxy chosen = environment.schemeProxy(scheme);
    if (chosen.proxy.empty()) continue;
    text += std::string(text.empty() ? "" : "、") + scheme + " は " + chosen.proxy + " (" +
            chosen.variable + ")";
  }
  if (text.empty()) return "使用中のﾌﾟﾛｷｼ：なし (直接接続)";
  const EnvironmentProxy excluded = environment.exclusions();
  if (!excluded.proxy.empty()) {
    text += "、" + excluded.proxy + " は直接 (" + excluded.variable + ")";
  }
  return "使用中のﾌﾟﾛｷｼ：" + text;
}

}  // namespace murlo
