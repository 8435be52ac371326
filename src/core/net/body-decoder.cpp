#include "net/body-decoder.h"

#include <curl/curl.h>
#include <zlib.h>

#include <algorithm>
#include <climits>

#include "net/internet-error.h"
#include "text/cp932.h"

namespace murlo {

namespace {

// As many codings as libcurl undoes: a longer list is a header bomb, not a body.
constexpr std::size_t kMaxCodings = 5;
// What a stage decodes ahead for the next one.
constexpr std::size_t kStageBytes = 64 * 1024;

// zlib counts bytes in 32 bits.
uInt zlibCount(std::size_t n) { return static_cast<uInt>(std::min<std::size_t>(n, UINT_MAX)); }

InternetError badEncoding(const std::string& text) {
  return curlError(CURLE_BAD_CONTENT_ENCODING, text);
}

InternetError corrupt(const char* why) {
  return badEncoding(std::string("The compressed body is corrupt: ") +
                     (why != nullptr ? why : "bad data"));
}

// A zlib stream opens with method 8 (deflate), a window of at most 32 KiB, and a check that
// makes the two bytes a multiple of 31; bare deflate data hardly ever looks like that.
bool isZlibHeader(unsigned char cmf, unsigned char flg) {
  return (cmf & 0x0F) == Z_DEFLATED && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0;
}

// The list's codings other than identity, in the order they were applied.
std::vector<std::string_view> codingsOf(std::string_view list) {
  std::vector<std::string_view> codings;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    if (!item.empty() && !equalsIgnoreAsciiCase(item, "identity")) codings.push_back(item);
  }
  return codings;
}

}  // namespace

// One gzip or deflate stream; a gzip one goes on with the next member when one follows.
class BodyDecoder::Inflater {
 public:
  explicit Inflater(bool gzip) : gzip_(gzip) {
    // 16 added to the window bits reads the gzip wrapper.
    if (inflateInit2(&stream_, gzip ? MAX_WBITS + 16 : MAX_WBITS) != Z_OK) {
      throw curlError(CURLE_OUT_OF_MEMORY, {});
    }
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool complete() const { return state_ != State::kStreaming; }

  std::size_t inflate(std::string_view& in, char* out, std::size_t max) {
    if (state_ == State::kFresh) {
      // Servers send "deflate" both as a zlib stream and as bare deflate data.
      if (in.size() < (gzip_ ? 1u : 2u)) return 0;
      if (!gzip_ &&
          !isZlibHeader(static_cast<unsigned char>(in[0]), static_cast<unsigned char>(in[1]))) {
        inflateReset2(&stream_, -MAX_WBITS);
      }
      state_ = State::kStreaming;
    }
    std::size_t written = 0;
    while (written < max) {
      if (state_ == State::kEnded) {
        if (in.empty()) break;
        const bool nextMember = gzip_ && in[0] == '\x1f' && (in.size() < 2 || in[1] == '\x8b');
        if (!nextMember) {
          // What follows a whole stream and starts no gzip member (the zero padding some
          // servers add) is no part of the body: it is dropped, as browsers drop it.
          in.remove_prefix(in.size());
          break;
        }
        if (in.size() < 2) break;  // the member's second byte is still to come
        inflateReset(&stream_);
        state_ = State::kStreaming;
      }
      const uInt inSize = zlibCount(in.size());
      const uInt outSize = zlibCount(max - written);
      stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
      stream_.avail_in = inSize;
      stream_.next_out = reinterpret_cast<Bytef*>(out + written);
      stream_.avail_out = outSize;
      const int rc = ::inflate(&stream_, Z_NO_FLUSH);
      in.remove_prefix(inSize - stream_.avail_in);
      written += outSize - stream_.avail_out;
      if (rc == Z_STREAM_END) {
        state_ = State::kEnded;
      } else if (rc == Z_OK || rc == Z_BUF_ERROR) {
        break;  // all input used, or no room left
      } else {
        throw corrupt(stream_.msg);
      }
    }
    return written;
  }

 private:
  enum class State { kFresh, kStreaming, kEnded };

  z_stream stream_{};
  bool gzip_;
  State state_ = State::kFresh;
};

bool isIdentityEncoding(std::string_view codings) { return codingsOf(codings).empty(); }

BodyDecoder::BodyDecoder(std::string_view codings) {
  const std::vector<std::string_view> applied = codingsOf(codings);
  if (applied.size() > kMaxCodings)
    throw badEncoding("Too many content encodings: " + std::string(codings));
  for (auto it = applied.rbegin(); it != applied.rend(); ++it) {
    const bool gzip = equalsIgnoreAsciiCase(*it, "gzip") || equalsIgnoreAsciiCase(*it, "x-gzip");
    if (!gzip && !equalsIgnoreAsciiCase(*it, "deflate")) {
      throw badEncoding("Unrecognized content encoding: " + std::string(*it));
    }
    stages_.push_back({std::make_unique<Inflater>(gzip), {}, 0});
  }
}

BodyDecoder::~BodyDecoder() = default;

std::size_t BodyDecoder::decode(std::string_view& in, char* out, std::size_t max) {
  return pull(stages_.size() - 1, in, out, max);
}

bool BodyDecoder::complete() const {
  return std::all_of(stages_.begin(), stages_.end(), [](const Stage& stage) {
    return stage.inflater->complete() && stage.taken == stage.input.size();
  });
}

std::size_t BodyDecoder::pull(std::size_t index, std::string_view& in, char* out, std::size_t max) {
  Stage& stage = stages_[index];
  if (index == 0) return stage.inflater->inflate(in, out, max);
  for (;;) {
    std::string_view input(stage.input.data() + stage.taken, stage.input.size() - stage.taken);
    const std::size_t n = stage.inflater->inflate(input, out, max);
    stage.taken = stage.input.size() - input.size();
    if (n > 0) return n;
    // Everything it had is used (but for a first byte it keeps): refill from the stage before.
    stage.input.erase(0, stage.taken);
    stage.taken = 0;
    const std::size_t kept = stage.input.size();
    stage.input.resize(kStageBytes);
    const std::size_t got = pull(index - 1, in, stage.input.data() + kept, kStageBytes - kept);
    stage.input.resize(kept + got);
    if (got == 0) return 0;
  }
}

}  // namespace murlo
