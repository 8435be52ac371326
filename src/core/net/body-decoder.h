// BodyDecoder: undoes a body's gzip and deflate content codings a piece at a time, straight
// into the reader's buffer, so that the memory a body takes stays the same whatever its
// compression ratio.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace murlo {

// Whether a Content-Encoding list (the fields' values joined by commas) leaves the body as
// it was: empty, or naming identity only.
bool isIdentityEncoding(std::string_view codings);

class BodyDecoder {
 public:
  // For a body sent with the Content-Encoding list `codings`, which names a coding other
  // than identity. Raises an InternetError when it names one other than gzip, x-gzip,
  // deflate and identity, or more than five.
  explicit BodyDecoder(std::string_view codings);
  ~BodyDecoder();
  BodyDecoder(const BodyDecoder&) = delete;
  BodyDecoder& operator=(const BodyDecoder&) = delete;

  // Decodes the front of `in` into up to `max` bytes at `out` and drops the bytes it used
  // from `in`. Returns 0 when it needs more input (a deflate body keeps its first byte in
  // `in` until the second one comes). Raises an InternetError for data that is not in the
  // coding named; bytes after a whole stream that start no gzip member are dropped.
  std::size_t decode(std::string_view& in, char* out, std::size_t max);
  // Whether what was decoded makes a whole body: nothing at all, or streams that all ended.
  bool complete() const;

 private:
  class Inflater;
  // One coding to undo. Every stage but the first reads what the one before it decoded.
  struct Stage {
    std::unique_ptr<Inflater> inflater;
    std::string input;
    std::size_t taken = 0;
  };
  std::size_t pull(std::size_t stage, std::string_view& in, char* out, std::size_t max);

  std::vector<Stage> stages_;  // the last coding applied comes first
};

}  // namespace murlo
