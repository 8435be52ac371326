// Bodies compressed with zlib the way servers send them content-encoded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace murlo::test {

// zlib window bits for each wrapper.
inline constexpr int kGzipBits = 15 + 16;
inline constexpr int kZlibBits = 15;
inline constexpr int kRawDeflateBits = -15;

// `data`, repeated `times`, compressed into one stream.
std::string compressed(std::string_view data, int windowBits, std::size_t times = 1);

}  // namespace murlo::test
