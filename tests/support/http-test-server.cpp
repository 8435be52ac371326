#include "http-test-server.h"

#include <stdexcept>

#include "wait-for.h"

namespace murlo::test {

HttpTestServer::HttpTestServer() {
  // Slow-body tests keep a response open; bound it so stop() never waits long.
  server_.set_keep_alive_timeout(2);
}

HttpTestServer::~HttpTestServer() {
  server_.stop();
  if (thread_.joinable()) thread_.join();
}

void HttpTestServer::start() {
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot bind the test HTTP server");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  if (!waitFor([this] { return server_.is_running(); })) {
    throw std::runtime_error("the test HTTP server did not start");
  }
}

std::string HttpTestServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace murlo::test
