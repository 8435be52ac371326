// A TCP server on 127.0.0.1 that answers every connection with fixed bytes and records the
// request head it got; with an empty answer it accepts and never answers.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murlo::test {

class RawTestServer {
 public:
  explicit RawTestServer(std::string answer);
  ~RawTestServer();
  RawTestServer(const RawTestServer&) = delete;
  RawTestServer& operator=(const RawTestServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const;
  // The request heads received so far (up to and including the empty line).
  std::vector<std::string> requests();
  int connections() const { return connections_; }

 private:
  void serve();

  std::string answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> clients_;
  std::thread thread_;
};

}  // namespace murlo::test
