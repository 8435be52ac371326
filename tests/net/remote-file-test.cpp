// RemoteFile on its own over HTTP: what the answer tells before the body is read.
#include "net/remote-file.h"

#include <gtest/gtest.h>

#include "compressed-body.h"
#include "http-test-server.h"
#include "net/event.h"

namespace murlo::test {
namespace {

TEST(RemoteFileTest, TellsTheRemoteTimeAndWhetherTheBodyIsEncoded) {
  HttpTestServer server;
  server.routes().Get("/dated", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("Last-Modified", "Tue, 05 Mar 2002 08:09:10 GMT");
    response.set_header("Content-Encoding", "gzip");
    response.set_content(compressed("dated body", kGzipBits), "application/octet-stream");
  });
  server.routes().Get("/unreadable", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("Last-Modified", "some day last week");
    response.set_header("Content-Encoding", "identity");
    response.set_content("plain", "application/octet-stream");
  });
  server.start();
  Event stop;
  const auto requestFor = [&](const char* path) {
    RemoteRequest request;
    request.url = server.url(path);
    return request;
  };
  RemoteFile dated(requestFor("/dated"), nullptr, stop);
  dated.open();
  EXPECT_EQ(dated.remoteTime(), std::optional<std::time_t>(1015315750));
  EXPECT_TRUE(dated.bodyEncoded());
  EXPECT_EQ(dated.contentLength(), std::nullopt);
  char body[64];
  EXPECT_EQ(std::string(body, dated.read(body, sizeof body)), "dated body");

  RemoteFile plain(requestFor("/unreadable"), nullptr, stop);
  plain.open();
  EXPECT_EQ(plain.remoteTime(), std::nullopt);
  EXPECT_FALSE(plain.bodyEncoded());
  EXPECT_EQ(plain.contentLength(), std::optional<std::int64_t>(5));
}

}  // namespace
}  // namespace murlo::test
