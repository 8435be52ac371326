// A libcurl connection and DNS cache shared by the items of one job, so that keep-alive
// connections are reused from one item to the next.
//
// libcurl 7.88 breaks when two transfers use one shared cache at the same time: share it
// only between items that never overlap. Job control replaces the share when it gives up a
// thread, so the given-up thread keeps the old one to itself.
#pragma once

#include <array>
#include <mutex>

typedef void CURLSH;

namespace murlo {

class ConnectionShare {
 public:
  ConnectionShare();
  ~ConnectionShare();
  ConnectionShare(const ConnectionShare&) = delete;
  ConnectionShare& operator=(const ConnectionShare&) = delete;

  CURLSH* handle() const { return share_; }

 private:
  static void lock(void* handle, int data, int access, void* self);
  static void unlock(void* handle, int data, void* self);

  CURLSH* share_;
  // One lock per kind of shared data (curl may hold two kinds at once).
  std::array<std::mutex, 8> mutexes_;
};

}  // namespace murlo
