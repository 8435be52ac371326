// RemoteFile: one request over libcurl, read the way a worker reads a remote file. open()
// sends the request and waits for the answer; the status and the raw header block can then
// be looked at before any body byte is taken; read() hands out the body in pieces of the
// caller's size. The transfer runs on the calling thread (a multi handle driven by hand),
// and every wait watches the stop event and the time-out.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef void CURL;
typedef void CURLM;
struct curl_slist;

namespace murlo {

class ConnectionShare;
class Event;

struct RemoteRequest {
  std::string url;                   // without credentials
  bool ftp = false;
  std::vector<std::string> headers;  // HTTP: the request header lines, in order
  std::string userName;              // none when empty
  std::string password;
  std::string proxy;                 // "" for a direct connection
  std::int64_t timeoutMs = 60000;    // connect, and the longest wait for any byte
  std::optional<std::int64_t> rangeFrom;  // HTTP: ask for the bytes from this offset on
};

// The bytes asked for and the whole size, from a Content-Range header.
struct ContentRange {
  std::int64_t first = 0;
  std::int64_t total = -1;  // -1 when the server gave "*"
};

class RemoteFile {
 public:
  RemoteFile(RemoteRequest request, std::shared_ptr<ConnectionShare> share, const Event& stop);
  ~RemoteFile();
  RemoteFile(const RemoteFile&) = delete;
  RemoteFile& operator=(const RemoteFile&) = delete;

  // HTTP: waits for the final answer's header block. FTP: waits until the first data has
  // come or the transfer has ended, so that a missing file fails here. Raises an
  // InternetError on failure; returns early when the stop event is set.
  void open();

  // The answer. status() is 0 before open() succeeded.
  long status() const { return status_; }
  const std::string& rawHeaders() const { return rawHeaders_; }
  std::string statusLine() const;
  // A header's value (name without case), empty when it is missing.
  std::string header(std::string_view name) const;
  // Content-Length, unless a content encoding makes it the size of the encoded body.
  std::optional<std::int64_t> contentLength() const;
  std::optional<ContentRange> contentRange() const;
  // True when the body has a content encoding (it is decoded on the way).
  bool encoded() const;
  // The remote file's time: HTTP Last-Modified, FTP MDTM; nothing when none was given.
  std::optional<std::time_t> remoteTime() const;

  // Up to `max` body bytes (more than 0 while the body goes on). Returns 0 at the end of
  // the body, and also when the stop event is set before data came (atEnd() is false
  // then). Raises an InternetError when the transfer failed or stalled.
  std::size_t read(char* out, std::size_t max);
  bool atEnd() const { return done_ && taken_ == pending_.size(); }

 private:
  static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
  void configure();
  // Drives the transfer until `ready` holds or it ends; false when the stop event is set.
  template <typename Ready>
  bool pump(Ready ready);
  void raiseIfFailed();

  std::shared_ptr<ConnectionShare> share_;  // outlives the easy handle
  RemoteRequest request_;
  const Event& stop_;
  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* headerList_ = nullptr;
  char errorBuffer_[256] = {};

  bool headersDone_ = false;
  std::string rawHeaders_;
  long status_ = 0;
  std::string pending_;  // body bytes received, not yet read
  std::size_t taken_ = 0;
  std::uint64_t received_ = 0;  // header and body bytes, to tell progress from a stall
  bool paused_ = false;  // libcurl holds a body block until the reader has room
  bool done_ = false;
  int result_ = 0;  // the CURLcode once done_
};

}  // namespace murlo
