// SHA-256 of a byte string, for names that must not collide even when someone chooses the
// input on purpose (a partial file's tag, say).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace murlo {

std::array<std::uint8_t, 32> sha256(std::string_view data);

// The first `digits` lower-case hexadecimal digits of sha256(data) (at most 64).
std::string sha256Hex(std::string_view data, std::size_t digits = 64);

}  // namespace murlo
