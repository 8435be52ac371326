// The environment's proxy as curl and Wget read it: which variable wins for a scheme, what
// no_proxy excludes, and the line the settings page shows.
#include "net/proxy-environment.h"

#include <gtest/gtest.h>

namespace murlo::test {
namespace {

using Variables = std::map<std::string, std::string>;

std::string proxyFor(const Variables& variables, const std::string& url) {
  return ProxyEnvironment(variables).proxyFor(url).proxy;
}

TEST(ProxyEnvironmentTest, TheSchemesOwnVariableWinsOverAllProxy) {
  const Variables env{
      {"http_proxy", "h:1"}, {"HTTPS_PROXY", "s:2"}, {"ftp_proxy", "f:3"}, {"ALL_PROXY", "a:4"}};
  EXPECT_EQ(proxyFor(env, "http://example.com/x"), "h:1");
  EXPECT_EQ(proxyFor(env, "https://example.com/x"), "s:2");
  EXPECT_EQ(proxyFor(env, "ftp://example.com/x"), "f:3");
  EXPECT_EQ(ProxyEnvironment(env).proxyFor("https://example.com/").variable, "HTTPS_PROXY");
  EXPECT_EQ(proxyFor({{"ALL_PROXY", "a:4"}}, "https://example.com/"), "a:4");
  EXPECT_EQ(proxyFor({{"all_proxy", "low:1"}, {"ALL_PROXY", "up:2"}}, "http://e.com/"), "low:1");
  EXPECT_EQ(proxyFor({{"https_proxy", "low:1"}, {"HTTPS_PROXY", "up:2"}}, "https://e.com/"),
            "low:1");
}

TEST(ProxyEnvironmentTest, UpperCaseHttpProxyIsNeverRead) {
  // A CGI program finds a request's "Proxy:" header there.
  EXPECT_EQ(proxyFor({{"HTTP_PROXY", "evil:1"}}, "http://example.com/"), "");
  EXPECT_EQ(proxyFor({{"HTTP_PROXY", "evil:1"}, {"all_proxy", "a:4"}}, "http://e.com/"), "a:4");
}

TEST(ProxyEnvironmentTest, ASchemeVariableSetEmptyMeansADirectConnection) {
  EXPECT_EQ(proxyFor({{"https_proxy", ""}, {"all_proxy", "a:4"}}, "https://e.com/"), "");
  EXPECT_EQ(proxyFor({}, "http://example.com/"), "");
  EXPECT_EQ(proxyFor({{"all_proxy", "a:4"}}, "not an address"), "");
}

TEST(ProxyEnvironmentTest, NoProxyExcludesNamesDomainsAndAddresses) {
  struct Case {
    const char* list;
    const char* host;
    bool excluded;
  };
  const Case cases[] = {
      {"example.com", "example.com", true},
      {"example.com", "www.example.com", true},
      {".example.com", "www.example.com", true},
      {".example.com", "example.com", true},
      {"example.com", "badexample.com", false},
      {"example.com", "example.com.evil", false},
      {"EXAMPLE.com", "www.Example.COM", true},
      {"a.test, example.com", "example.com", true},
      {"a.test example.com", "example.com", true},
      {"*", "anything.test", true},
      {"a.test,*", "anything.test", true},
      {"*.example.com", "www.example.com", false},
      {"127.0.0.1", "127.0.0.1", true},
      {"127.0.0.1", "127.0.0.2", false},
      {"10.0.0.0/8", "10.1.2.3", true},
      {"10.0.0.0/8", "11.1.2.3", false},
      {"10.0.0.0/33", "10.1.2.3", false},
      {"10.0.0.0/x", "10.1.2.3", false},
      {"::1", "[::1]", true},
      {"fd00::/8", "fd12::1", true},
      {"fd00::/8", "127.0.0.1", false},
      {"", "example.com", false},
      {",, ,", "example.com", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(noProxyExcludes(c.list, c.host), c.excluded) << c.list << " / " << c.host;
  }
}

TEST(ProxyEnvironmentTest, NoProxyGoesBeforeTheProxyAndLowerCaseBeforeUpper) {
  const Variables env{{"http_proxy", "p:1"}, {"no_proxy", "inside.test"}, {"NO_PROXY", "*"}};
  EXPECT_EQ(proxyFor(env, "http://inside.test/x"), "");
  EXPECT_EQ(ProxyEnvironment(env).proxyFor("http://inside.test/x").variable, "no_proxy");
  EXPECT_EQ(proxyFor(env, "http://outside.test:8080/x"), "p:1");
  EXPECT_EQ(proxyFor({{"http_proxy", "p:1"}, {"NO_PROXY", "inside.test"}}, "http://inside.test/"),
            "");
}

TEST(ProxyEnvironmentTest, TheSettingsPageNamesTheProxyInEffectAndWhereItComesFrom) {
  const ProxyEnvironment env(
      {{"http_proxy", "http://p:3128"}, {"HTTPS_PROXY", "s:443"}, {"no_proxy", "localhost"}});
  EXPECT_EQ(proxyInEffectText(std::string("proxy.test:8080"), env),
            "使用中のﾌﾟﾛｷｼ：proxy.test:8080 (この設定)");
  EXPECT_EQ(proxyInEffectText(std::nullopt, env),
            "使用中のﾌﾟﾛｷｼ：http は http://p:3128 (http_proxy)、https は s:443 (HTTPS_PROXY)、"
            "localhost は直接 (no_proxy)");
  EXPECT_EQ(proxyInEffectText(std::nullopt, ProxyEnvironment(Variables{{"no_proxy", "*"}})),
            "使用中のﾌﾟﾛｷｼ：なし (直接接続)");
}

}  // namespace
}  // namespace murlo::test
