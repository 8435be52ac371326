#include "http-test-server.h"

#include <algorithm>
#include <stdexcept>

#include "wait-for.h"

namespace murlo::test {

HttpTestServer::HttpTestServer() : server_(std::make_unique<httplib::Server>()), scheme_("http") {
  // Slow-body tests keep a response open; bound it so stop() never waits long.
  server_->set_keep_alive_timeout(2);
}

HttpTestServer::HttpTestServer(const std::string& certificateFile, const std::string& keyFile)
    : server_(std::make_unique<httplib::SSLServer>(certificateFile.c_str(), keyFile.c_str())),
      scheme_("https") {
  if (!server_->is_valid()) throw std::runtime_error("the test HTTPS server has no certificate");
  server_->set_keep_alive_timeout(2);
}

HttpTestServer::~HttpTestServer() {
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

void HttpTestServer::start() {
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot bind the test HTTP server");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  if (!waitFor([this] { return server_->is_running(); })) {
    throw std::runtime_error("the test HTTP server did not start");
  }
}

std::string HttpTestServer::url(const std::string& path) const {
  return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
}

void setDrippingBody(httplib::Response& response, const std::string& body, const std::string& type,
                     std::shared_ptr<std::atomic<bool>> slow, std::size_t piece,
                     std::chrono::milliseconds pause,
                     std::shared_ptr<std::atomic<std::size_t>> sent) {
  response.set_content_provider(
      body.size(), type,
      [body, slow, piece, pause, sent](std::size_t offset, std::size_t length,
                                       httplib::DataSink& sink) {
        if (*slow) std::this_thread::sleep_for(pause);  // the server's pace
        const std::size_t n = std::min(length, piece);
        if (sent) *sent += n;
        return sink.write(body.data() + offset, n);
      });
}

}  // namespace murlo::test
