// An HTTP server in the test process on 127.0.0.1 and a free port, scripted per test with
// cpp-httplib handlers registered before start().
#pragma once

#include <httplib.h>

#include <string>
#include <thread>

namespace murlo::test {

class HttpTestServer {
 public:
  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  httplib::Server& routes() { return server_; }
  // Binds and starts serving; returns once the server accepts requests.
  void start();
  int port() const { return port_; }
  std::string url(const std::string& path) const;

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace murlo::test
