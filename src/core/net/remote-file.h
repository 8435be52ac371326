// RemoteFile: one request over libcurl, read the way a worker reads a remote file. open()
// sends the request and waits for the answer; the status and the raw header block can then
// be looked at before any body byte is taken; read() hands out the body in pieces of the
// caller's size. The transfer runs on the calling thread (a multi handle driven by hand),
// and every wait watches the stop event and the time-out.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/connection-options.h"

typedef void CURL;
typedef void CURLM;
struct curl_slist;

namespace murlo {

class BodyDecoder;
class ConnectionShare;
class Event;
class PageResponses;

// What a request does with the kept page answers (page-responses.h).
enum class KeptAnswerUse {
  kNone,
  kKeep,   // a page of an analysis: its whole 200 answer is kept
  kReuse,  // a download: a kept answer is taken instead of asking the server
};

struct RemoteRequest {
  std::string url;  // without credentials
  bool ftp = false;
  std::vector<std::string> headers;  // HTTP: the request header lines, in order
  std::string userName;              // none when empty
  std::string password;
  ConnectionOptions connection;
  // Connect time-out; also, less than 1 KiB received in this long counts as a stall.
  std::int64_t timeoutMs = 60000;
  // Ask for the bytes from this offset on: a Range header over HTTP, REST over FTP.
  std::optional<std::int64_t> rangeFrom;
  // Used only for a plain HTTP request (no range).
  std::shared_ptr<PageResponses> keptAnswers;
  KeptAnswerUse keptAnswerUse = KeptAnswerUse::kNone;
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

  // Sends the request without waiting for the answer (or takes a kept answer), so that
  // other work can go on while the server answers; open() then waits for it. Raises an
  // InternetError when libcurl cannot take the transfer.
  void send();
  // Sends the request unless send() did. HTTP: waits for the final answer's header block.
  // FTP: waits until the first data has come or the transfer has ended, so that a missing
  // file fails here, and so does a rangeFrom past the end of the file, with code
  // EngineError::curl(CURLE_BAD_DOWNLOAD_RESUME). Raises an InternetError on failure;
  // returns early when the stop event is set.
  void open();
  const std::string& url() const { return request_.url; }
  const RemoteRequest& request() const { return request_; }
  // Whether the whole answer has come without a failure: its connection is free for the
  // next request while the body is still being read from memory.
  bool complete() const;

  // The answer. status() is 0 before open() succeeded.
  long status() const { return status_; }
  const std::string& rawHeaders() const { return rawHeaders_; }
  std::string statusLine() const;
  // A header's value (name without case), the first one when it is repeated, empty when it
  // is missing.
  std::string header(std::string_view name) const;
  // HTTP: Content-Length, unless the body is encoded. FTP: the size of the data to come
  // (from the offset asked for on), when the server told it.
  std::optional<std::int64_t> contentLength() const;
  std::optional<ContentRange> contentRange() const;
  // Whether the body has a content coding other than identity; read() hands it out decoded.
  bool bodyEncoded() const { return encoded_; }
  // HTTP: Last-Modified. FTP: the time the server gave for the file (MDTM), once open() has
  // returned. Nothing when none was given or it cannot be read.
  std::optional<std::time_t> remoteTime() const;

  // Up to `max` body bytes (more than 0 while the body goes on). Returns 0 at the end of
  // the body, and also when the stop event is set before data came (atEnd() is false
  // then). Raises an InternetError when the transfer failed or stalled, or the body has an
  // unknown encoding or is not whole in the encoding it names.
  std::size_t read(char* out, std::size_t max);
  // The same bytes without a copy: a view of up to `max` bytes that stays valid until the
  // next read or readView.
  std::string_view readView(std::size_t max);
  bool atEnd() const;

 private:
  static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
  void configure();
  // Gives the handles back to the job's share for the next item, or frees them.
  void releaseHandles();
  // Drives the transfer until `ready` holds or it ends; false when the stop event is set.
  template <typename Ready>
  bool pump(Ready ready);
  void raiseIfFailed();
  // Waits until more body bytes are pending than now; false at the end of the body and
  // when the stop event is set.
  bool awaitBody();
  std::size_t readDecoded(char* out, std::size_t max);
  std::vector<std::string_view> headerValues(std::string_view name) const;
  std::string contentEncoding() const;
  // The stall check counts from now, as if progress had just been seen.
  void restartStallWindow();
  // After a whole answer: bytes beyond it, read and dropped by libcurl or still waiting,
  // may be a forged answer to the next request, so the connection is never used again.
  void dropConnectionWithSurplus();
  // The kept answers' key of this request, empty when it neither keeps nor reuses one.
  std::string keptAnswerKey(KeptAnswerUse use) const;
  // Takes the kept answer as if it had come from the server; false when there is none.
  bool reuseKeptAnswer();

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
  std::string pending_;  // body bytes received as sent (encoded), not yet read
  std::size_t taken_ = 0;
  std::uint64_t received_ = 0;  // header and body bytes, to tell progress from a stall
  // The stall check's last progress: when it was seen and received_ then.
  std::chrono::steady_clock::time_point progressAt_;
  std::uint64_t progressReceived_ = 0;
  bool paused_ = false;   // libcurl holds a body block until the reader has room
  bool surplus_ = false;  // libcurl told of bytes beyond the answer
  bool encoded_ = false;
  bool sent_ = false;
  std::unique_ptr<BodyDecoder> decoder_;  // made by the first read of an encoded body
  std::string decodedPiece_;              // what readView of an encoded body hands out
  bool done_ = false;
  int result_ = 0;  // the CURLcode once done_
  // The body as sent, for a page answer to be kept; dropped once it grows too large.
  std::string keptBody_;
  bool keepingBody_ = false;
};

}  // namespace murlo
