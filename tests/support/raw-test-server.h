// A TCP server on 127.0.0.1 that answers every connection with fixed bytes and records the
// request head it got; with an empty answer it accepts and never answers. With a drip
// interval it then sends one more byte per interval, for as long as the client listens.
// Given one answer per connection, it answers as a keep-alive server: the n-th connection
// gets the n-th answer (every further one the last) and stays open after it.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace murlo::test {

class RawTestServer {
 public:
  explicit RawTestServer(std::string answer,
                         std::chrono::milliseconds dripEvery = std::chrono::milliseconds::zero());
  explicit RawTestServer(std::vector<std::string> answersByConnection);
  ~RawTestServer();
  RawTestServer(const RawTestServer&) = delete;
  RawTestServer& operator=(const RawTestServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const;
  // The request heads received so far (up to and including the empty line).
  std::vector<std::string> requests();
  int connections() const { return connections_; }

 private:
  void start();
  void serve();
  void drip(int client);

  std::vector<std::string> answers_;
  bool keepOpen_ = false;
  std::chrono::milliseconds dripEvery_;
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
