#include "compressed-body.h"

#include <zlib.h>

#include <stdexcept>

namespace murlo::test {

std::string compressed(std::string_view data, int windowBits, std::size_t times) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  std::string out;
  char block[64 * 1024];
  for (std::size_t i = 0; i < times; ++i) {
    const bool last = i + 1 == times;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    do {
      stream.next_out = reinterpret_cast<Bytef*>(block);
      stream.avail_out = sizeof block;
      deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      out.append(block, sizeof block - stream.avail_out);
    } while (stream.avail_out == 0);
  }
  deflateEnd(&stream);
  return out;
}

}  // namespace murlo::test
