#include "raw-test-server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace murlo::test {

RawTestServer::RawTestServer(std::string answer, std::chrono::milliseconds dripEvery)
    : answers_{std::move(answer)}, dripEvery_(dripEvery) {
  start();
}

RawTestServer::RawTestServer(std::vector<std::string> answersByConnection)
    : answers_(std::move(answersByConnection)), keepOpen_(true), dripEvery_(0) {
  start();
}

void RawTestServer::start() {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot bind the raw test server");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

RawTestServer::~RawTestServer() {
  stopping_ = true;
  thread_.join();
  for (int client : clients_) ::close(client);
  ::close(listener_);
}

std::string RawTestServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> RawTestServer::requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

void RawTestServer::serve() {
  while (!stopping_) {
    pollfd ready{listener_, POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0) continue;
    const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    const std::string& answer =
        answers_.at(std::min(static_cast<std::size_t>(connections_++), answers_.size() - 1));
    clients_.push_back(client);
    if (answer.empty()) continue;  // accepted, never answered
    std::string head;
    char chunk[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
      pollfd in{client, POLLIN, 0};
      if (::poll(&in, 1, 2000) <= 0) break;
      const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      head.append(chunk, static_cast<std::size_t>(n));
      // A client that speaks no HTTP (a TLS hello) sends no head to wait for.
      if (!std::isupper(static_cast<unsigned char>(head[0]))) break;
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(head);
    }
    if (::send(client, answer.data(), answer.size(), MSG_NOSIGNAL) < 0 || keepOpen_) continue;
    if (dripEvery_ > dripEvery_.zero()) drip(client);
    ::shutdown(client, SHUT_WR);
  }
}

void RawTestServer::drip(int client) {
  while (!stopping_) {
    std::this_thread::sleep_for(dripEvery_);  // the server's pace, not a wait of the test
    if (::send(client, "x", 1, MSG_NOSIGNAL) != 1) return;
  }
}

}  // namespace murlo::test
