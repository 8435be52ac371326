#include "text/sha256.h"

#include <gtest/gtest.h>

namespace murlo {
namespace {

// The published test vectors: one block, the padding spilling into a second block, and
// several blocks.
TEST(Sha256, MatchesThePublishedVectors) {
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256Hex(std::string(1000000, 'a'), 16), "cdc76e5c9914fb92");
}

}  // namespace
}  // namespace murlo
