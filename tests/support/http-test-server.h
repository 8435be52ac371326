// An HTTP server in the test process on 127.0.0.1 and a free port, scripted per test with
// cpp-httplib handlers registered before start(); an HTTPS one when made with a certificate.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murlo::test {

class HttpTestServer {
 public:
  HttpTestServer();
  // HTTPS with the certificate and key of these PEM files.
  HttpTestServer(const std::string& certificateFile, const std::string& keyFile);
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  httplib::Server& routes() { return *server_; }
  // Binds and starts serving; returns once the server accepts requests.
  void start();
  int port() const { return port_; }
  std::string url(const std::string& path) const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::string scheme_;
  std::thread thread_;
  int port_ = 0;
};

// Texts the handlers record on the server's threads (the Range headers asked for, say), for
// the test's thread to read.
class RecordedTexts {
 public:
  void add(std::string text) {
    std::lock_guard lock(mutex_);
    texts_.push_back(std::move(text));
  }
  std::vector<std::string> all() const {
    std::lock_guard lock(mutex_);
    return texts_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};

// Answers with `body`, from the offset a range request asks for, in pieces of `piece`
// bytes, `pause` apart while `*slow` is set; `sent`, when given, counts the bytes sent.
void setDrippingBody(httplib::Response& response, const std::string& body, const std::string& type,
                     std::shared_ptr<std::atomic<bool>> slow, std::size_t piece = 1000,
                     std::chrono::milliseconds pause = std::chrono::milliseconds(20),
                     std::shared_ptr<std::atomic<std::size_t>> sent = nullptr);

}  // namespace murlo::test
