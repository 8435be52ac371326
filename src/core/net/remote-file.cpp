#include "net/remote-file.h"

#include <curl/curl.h>
#include <sys/socket.h>

#include <chrono>
#include <cstring>

#include "net/body-decoder.h"
#include "net/certificate-problem.h"
#include "net/connection-share.h"
#include "net/curl-global.h"
#include "net/event.h"
#include "net/internet-error.h"
#include "net/page-responses.h"
#include "net/url-crack.h"
#include "text/cp932.h"

namespace murlo {

namespace {

// How long one wait for the socket lasts before the stop event is looked at again.
constexpr int kPollMs = 50;
// libcurl's receive block; the reading loop cuts it into the caller's buffer size.
constexpr long kCurlBufferBytes = 64 * 1024;
// Unread body bytes at which libcurl is paused until the reader has taken them: the body
// then passes through a buffer that stays small and in the processor's cache.
constexpr std::size_t kMaxPendingBytes = 128 * 1024;
// Fewer bytes than this over one whole time-out period since the last progress (the last
// time this many had come) count as a stall: a server that trickles a byte now and then
// would otherwise hold the item for ever.
constexpr std::uint64_t kMinBytesPerPeriod = 1024;
// The anonymous FTP login.
constexpr const char* kFtpUser = "anonymous";
constexpr const char* kFtpPassword = "murlo@localhost";

std::optional<std::int64_t> parseNumber(std::string_view text) {
  std::int64_t value = 0;
  bool any = false;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (value > (INT64_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + (c - '0');
    any = true;
  }
  return any ? std::optional(value) : std::nullopt;
}

// Whether a text libcurl logs tells of bytes the server sent beyond the end of an answer:
// after a Content-Length body, after a body of none, after the last chunk.
bool tellsOfSurplus(std::string_view text) {
  return text.starts_with("Excess found") || text.starts_with("Leftovers after chunking");
}

// libcurl's log of an HTTP transfer: notes in the bool `surplus` whether it told of bytes
// beyond the answer.
int onCurlLog(CURL*, curl_infotype type, char* text, std::size_t size, void* surplus) {
  if (type == CURLINFO_TEXT && tellsOfSurplus(std::string_view(text, size))) {
    *static_cast<bool*>(surplus) = true;
  }
  return 0;
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                           text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

RemoteFile::RemoteFile(RemoteRequest request, std::shared_ptr<ConnectionShare> share,
                       const Event& stop)
    : share_(std::move(share)), request_(std::move(request)), stop_(stop) {
  initCurlOnce();
  if (share_ != nullptr) {
    share_->takeHandles(easy_, multi_);
  } else {
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
  }
  if (easy_ == nullptr || multi_ == nullptr) {
    releaseHandles();
    throw curlError(CURLE_OUT_OF_MEMORY, {});
  }
  configure();
}

RemoteFile::~RemoteFile() {
  if (keepingBody_ && done_ && result_ == CURLE_OK && status_ == 200) {
    request_.keptAnswers->keep(keptAnswerKey(KeptAnswerUse::kKeep),
                               {rawHeaders_, std::move(keptBody_)});
  }
  releaseHandles();
  curl_slist_free_all(headerList_);
}

void RemoteFile::releaseHandles() {
  if (easy_ != nullptr && multi_ != nullptr) curl_multi_remove_handle(multi_, easy_);
  // Only handles of a transfer that ended cleanly are kept: a stopped, paused or failed one
  // may carry state into the next item.
  if (share_ != nullptr && easy_ != nullptr && multi_ != nullptr && done_ && result_ == 0 &&
      !paused_) {
    share_->keepHandles(easy_, multi_);
    return;
  }
  if (easy_ != nullptr) curl_easy_cleanup(easy_);
  if (multi_ != nullptr) curl_multi_cleanup(multi_);
}

void RemoteFile::configure() {
  CURL* e = easy_;
  curl_easy_setopt(e, CURLOPT_URL, request_.url.c_str());
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorBuffer_);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &RemoteFile::onHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &RemoteFile::onBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kCurlBufferBytes);
  applyConnectionOptions(e, request_.connection);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request_.timeoutMs));
  if (share_ != nullptr && share_->handle() != nullptr) {
    curl_easy_setopt(e, CURLOPT_SHARE, share_->handle());
  }
  if (request_.ftp) {
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(e, CURLOPT_USERNAME, kFtpUser);
    curl_easy_setopt(e, CURLOPT_PASSWORD, kFtpPassword);
    curl_easy_setopt(e, CURLOPT_FTPPORT, "-");  // active mode, on the control connection's address
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(e, CURLOPT_FILETIME, 1L);  // MDTM, for remoteTime()
    if (request_.rangeFrom) {
      curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(*request_.rangeFrom));
    }
    return;
  }
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  // The status check reads the raw header block as HTTP/1.1 servers send it.
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  // The body comes as sent: read() decodes it on demand, so that a body of any ratio passes
  // through the bounded pending buffer. The request's own Accept-Encoding line asks for it.
  curl_easy_setopt(e, CURLOPT_HTTP_CONTENT_DECODING, 0L);
  for (const std::string& line : request_.headers) {
    curl_slist* grown = curl_slist_append(headerList_, line.c_str());
    if (grown == nullptr) throw curlError(CURLE_OUT_OF_MEMORY, {});
    headerList_ = grown;
  }
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList_);
  // libcurl drops the bytes beyond an answer it has read and tells of them only in its log.
  curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, &onCurlLog);
  curl_easy_setopt(e, CURLOPT_DEBUGDATA, &surplus_);
  curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
  if (!request_.password.empty()) {
    curl_easy_setopt(e, CURLOPT_USERNAME, request_.userName.c_str());
    curl_easy_setopt(e, CURLOPT_PASSWORD, request_.password.c_str());
  }
  if (request_.rangeFrom) {
    const std::string range = std::to_string(*request_.rangeFrom) + "-";
    curl_easy_setopt(e, CURLOPT_RANGE, range.c_str());  // libcurl copies the text
  }
}

std::size_t RemoteFile::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto* file = static_cast<RemoteFile*>(self);
  const std::size_t n = size * count;
  file->received_ += n;
  if (file->request_.ftp) return n;  // FTP server replies, not headers
  const std::string_view line(data, n);
  // Each answer (an interim 1xx one included) starts a new header block.
  if (line.starts_with("HTTP/")) file->rawHeaders_.clear();
  file->rawHeaders_.append(line);
  if (line == "\r\n" || line == "\n") {
    long status = 0;
    curl_easy_getinfo(file->easy_, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 200) {
      file->status_ = status;
      file->headersDone_ = true;
    }
  }
  return n;
}

std::size_t RemoteFile::onBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto* file = static_cast<RemoteFile*>(self);
  const std::size_t n = size * count;
  if (file->pending_.size() - file->taken_ >= kMaxPendingBytes) {
    file->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;  // libcurl keeps this block and hands it over again
  }
  file->received_ += n;
  if (file->taken_ == file->pending_.size()) {
    file->pending_.clear();
    file->taken_ = 0;
  }
  file->pending_.append(data, n);
  if (file->keepingBody_) {
    if (file->keptBody_.size() + n > PageResponses::kMaxPageBytes) {
      file->keepingBody_ = false;
      std::string().swap(file->keptBody_);
    } else {
      file->keptBody_.append(data, n);
    }
  }
  return n;
}

void RemoteFile::dropConnectionWithSurplus() {
  // Runs before the next request can go out: the line is freed only after this answer is
  // seen whole. libcurl keeps the connection for reuse even with bytes waiting in it.
  curl_socket_t socket = CURL_SOCKET_BAD;
  if (curl_easy_getinfo(easy_, CURLINFO_ACTIVESOCKET, &socket) != CURLE_OK ||
      socket == CURL_SOCKET_BAD) {
    return;  // closed already
  }
  // Over TLS the socket also carries records that are no answer bytes (a session ticket,
  // say), so there only libcurl's own account of surplus counts.
  const bool plainText = !startsWithIgnoreAsciiCase(request_.url, "https://");
  char byte = 0;
  if (surplus_ || (plainText && ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) > 0)) {
    // A shut connection is found dead and closed when the cache is next searched.
    ::shutdown(socket, SHUT_RDWR);
  }
}

void RemoteFile::restartStallWindow() {
  progressAt_ = std::chrono::steady_clock::now();
  progressReceived_ = received_;
}

template <typename Ready>
bool RemoteFile::pump(Ready ready) {
  const std::chrono::milliseconds period(request_.timeoutMs);
  while (!ready() && !done_) {
    if (stop_.isSet()) return false;
    int running = 0;
    CURLMcode mc = curl_multi_perform(multi_, &running);
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi_, &queued)) {
      if (msg->msg == CURLMSG_DONE) {
        done_ = true;
        result_ = msg->data.result;
        if (result_ == CURLE_OK && !request_.ftp) dropConnectionWithSurplus();
      }
    }
    if (mc != CURLM_OK && !done_) {
      done_ = true;
      result_ = CURLE_OUT_OF_MEMORY;
    }
    if (done_) break;
    // Looked at even when data came: a trickle that always has a byte waiting is a stall too.
    // The period runs from the last progress, so a silence never hides across two periods.
    const auto now = std::chrono::steady_clock::now();
    if (received_ - progressReceived_ >= kMinBytesPerPeriod) {
      progressAt_ = now;
      progressReceived_ = received_;
    } else if (now - progressAt_ >= period) {
      done_ = true;
      result_ = CURLE_OPERATION_TIMEDOUT;
      std::snprintf(errorBuffer_, sizeof errorBuffer_,
                    "Operation timed out: less than %llu bytes came in %lld milliseconds",
                    static_cast<unsigned long long>(kMinBytesPerPeriod),
                    static_cast<long long>(request_.timeoutMs));
      break;
    }
    if (ready()) break;
    curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
  }
  return true;
}

void RemoteFile::raiseIfFailed() {
  if (result_ == CURLE_OK) return;
  if (isCertificateFailure(result_)) {
    long verifyResult = 0;
    curl_easy_getinfo(easy_, CURLINFO_SSL_VERIFYRESULT, &verifyResult);
    const CrackResult cracked = crackUrl(request_.url);
    throw certificateError(result_, verifyResult, cracked.url ? cracked.url->server : request_.url,
                           errorBuffer_);
  }
  throw curlError(result_, errorBuffer_);
}

std::string RemoteFile::keptAnswerKey(KeptAnswerUse use) const {
  if (request_.keptAnswerUse != use || !request_.keptAnswers || request_.ftp || request_.rangeFrom)
    return {};
  return request_.url + '\n' + request_.userName + '\n' + request_.password;
}

bool RemoteFile::reuseKeptAnswer() {
  const std::string key = keptAnswerKey(KeptAnswerUse::kReuse);
  if (key.empty()) return false;
  std::optional<KeptResponse> kept = request_.keptAnswers->take(key);
  if (!kept) return false;
  rawHeaders_ = std::move(kept->headers);
  pending_ = std::move(kept->body);
  status_ = 200;
  headersDone_ = true;
  done_ = true;
  result_ = CURLE_OK;
  encoded_ = !isIdentityEncoding(contentEncoding());
  return true;
}

void RemoteFile::send() {
  if (sent_) return;
  sent_ = true;
  if (reuseKeptAnswer()) return;
  keepingBody_ = !keptAnswerKey(KeptAnswerUse::kKeep).empty();
  if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) throw curlError(CURLE_OUT_OF_MEMORY, {});
  // Connects and writes the request as far as the socket takes it at once.
  int running = 0;
  curl_multi_perform(multi_, &running);
}

bool RemoteFile::complete() const { return done_ && result_ == CURLE_OK; }

void RemoteFile::open() {
  send();
  if (done_ && headersDone_) return;
  // The stall check counts from here: a request sent ahead waited for this reader.
  restartStallWindow();
  if (request_.ftp) {
    if (!pump([this] { return pending_.size() > taken_; })) return;
    // Data that came before a failure is no answer yet: the failure counts.
    if (done_) raiseIfFailed();
    return;
  }
  if (!pump([this] { return headersDone_; })) return;
  if (!headersDone_) {
    raiseIfFailed();
    throw curlError(CURLE_GOT_NOTHING, {});
  }
  encoded_ = !isIdentityEncoding(contentEncoding());
  keepServerCookies(easy_, request_.connection);
}

bool RemoteFile::awaitBody() {
  const std::size_t unread = pending_.size() - taken_;
  if (paused_) {
    paused_ = false;
    restartStallWindow();                    // the pause was the reader's, not the server's
    curl_easy_pause(easy_, CURLPAUSE_CONT);  // may hand over the kept block at once
  }
  const auto more = [this, unread] { return pending_.size() - taken_ > unread; };
  if (!pump(more)) return false;
  if (more()) return true;
  raiseIfFailed();
  return false;
}

std::size_t RemoteFile::read(char* out, std::size_t max) {
  if (encoded_) return readDecoded(out, max);
  const std::string_view piece = readView(max);
  if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
  return piece.size();
}

std::string_view RemoteFile::readView(std::size_t max) {
  if (encoded_) {
    decodedPiece_.resize(max);
    decodedPiece_.resize(readDecoded(decodedPiece_.data(), max));
    return decodedPiece_;
  }
  if (taken_ == pending_.size() && !awaitBody()) return {};
  const std::size_t n = std::min(max, pending_.size() - taken_);
  const std::string_view piece(pending_.data() + taken_, n);
  taken_ += n;
  return piece;
}

std::size_t RemoteFile::readDecoded(char* out, std::size_t max) {
  // Made here, not in open(), so that an unknown coding fails only a body that is read.
  if (decoder_ == nullptr) decoder_ = std::make_unique<BodyDecoder>(contentEncoding());
  for (;;) {
    std::string_view in(pending_.data() + taken_, pending_.size() - taken_);
    const std::size_t n = decoder_->decode(in, out, max);
    taken_ = pending_.size() - in.size();
    if (n > 0) return n;
    if (!awaitBody()) {
      if (done_ && (taken_ < pending_.size() || !decoder_->complete())) {
        throw curlError(CURLE_BAD_CONTENT_ENCODING, "The compressed body was cut off");
      }
      return 0;
    }
  }
}

bool RemoteFile::atEnd() const {
  return done_ && taken_ == pending_.size() && (decoder_ == nullptr || decoder_->complete());
}

std::string RemoteFile::statusLine() const {
  const std::size_t end = rawHeaders_.find_first_of("\r\n");
  return rawHeaders_.substr(0, end);
}

std::vector<std::string_view> RemoteFile::headerValues(std::string_view name) const {
  std::vector<std::string_view> values;
  std::size_t start = 0;
  while (start < rawHeaders_.size()) {
    std::size_t end = rawHeaders_.find('\n', start);
    if (end == std::string::npos) end = rawHeaders_.size();
    const std::string_view line(rawHeaders_.data() + start, end - start);
    if (line.size() > name.size() && line[name.size()] == ':' &&
        equalsIgnoreAsciiCase(line.substr(0, name.size()), name)) {
      values.push_back(trimBlanks(line.substr(name.size() + 1)));
    }
    start = end + 1;
  }
  return values;
}

std::string RemoteFile::header(std::string_view name) const {
  const std::vector<std::string_view> values = headerValues(name);
  return values.empty() ? std::string() : std::string(values.front());
}

std::string RemoteFile::contentEncoding() const {
  // Repeated fields make one list, as if their values were joined by commas.
  std::string list;
  for (std::string_view value : headerValues("Content-Encoding")) {
    if (!list.empty()) list += ", ";
    list += value;
  }
  return list;
}

std::optional<std::int64_t> RemoteFile::contentLength() const {
  if (request_.ftp) {
    curl_off_t size = -1;
    curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    return size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
  }
  if (encoded_) return std::nullopt;
  const std::string length = header("Content-Length");
  if (length.empty()) return std::nullopt;
  return parseNumber(length);
}

std::optional<std::time_t> RemoteFile::remoteTime() const {
  if (request_.ftp) {
    curl_off_t time = -1;
    curl_easy_getinfo(easy_, CURLINFO_FILETIME_T, &time);
    return time != -1 ? std::optional<std::time_t>(time) : std::nullopt;
  }
  const std::string date = header("Last-Modified");
  const std::time_t time = date.empty() ? -1 : curl_getdate(date.c_str(), nullptr);
  return time != -1 ? std::optional(time) : std::nullopt;
}

std::optional<ContentRange> RemoteFile::contentRange() const {
  // "bytes FIRST-LAST/TOTAL", or "bytes */TOTAL" for a range the file does not have.
  const std::string field = header("Content-Range");
  std::string_view value = trimBlanks(field);
  if (!startsWithIgnoreAsciiCase(value, "bytes ")) return std::nullopt;
  value.remove_prefix(6);
  const std::size_t slash = value.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  ContentRange range;
  if (const auto total = parseNumber(value.substr(slash + 1))) range.total = *total;
  if (value.starts_with('*')) {
    range.first = -1;
  } else if (const auto first = parseNumber(value)) {
    range.first = *first;
  } else {
    return std::nullopt;
  }
  return range;
}

}  // namespace murlo
