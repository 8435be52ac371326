// A libcurl connection and DNS cache shared by the items of one job, so that keep-alive
// connections are reused from one item to the next, and the transfer handles of the last
// items, kept for the next ones, so that an item costs no new handles.
//
// libcurl 7.88 breaks when two transfers use one shared cache at the same time: share it
// only between items whose transfers never overlap (the next item's request may be sent
// once the answer before it has come whole). Job control replaces the share when it gives
// up a thread, so the given-up thread keeps the old one to itself.
#pragma once

#include <array>
#include <mutex>
#include <utility>
#include <vector>

typedef void CURL;
typedef void CURLM;
typedef void CURLSH;

namespace murlo {

class ConnectionShare {
 public:
  ConnectionShare();
  ~ConnectionShare();
  ConnectionShare(const ConnectionShare&) = delete;
  ConnectionShare& operator=(const ConnectionShare&) = delete;

  CURLSH* handle() const { return share_; }

  // The kept handles with their options reset, or new ones; null ones when curl has no
  // memory left.
  void takeHandles(CURL*& easy, CURLM*& multi);
  // Keeps a transfer's handles (the easy handle already out of its multi handle).
  void keepHandles(CURL* easy, CURLM* multi);

 private:
  static void lock(void* handle, int data, int access, void* self);
  static void unlock(void* handle, int data, void* self);

  CURLSH* share_;
  // Two pairs at most: an item's handles are still in use while the next item's request
  // goes out.
  static constexpr std::size_t kMostKept = 2;
  std::mutex handlesMutex_;
  std::vector<std::pair<CURL*, CURLM*>> kept_;
  // One lock per kind of shared data (curl may hold two kinds at once).
  std::array<std::mutex, 8> mutexes_;
};

}  // namespace murlo
