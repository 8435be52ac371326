#include "analysis/character-reference.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace murlo {

namespace {

struct NamedReference {
  std::string_view name;
  char32_t codePoint;
  // Browsers also decode it without the closing ";".
  bool legacy;
};

constexpr std::array<NamedReference, 33> kNamed{{
    {"amp", '&', true},     {"lt", '<', true},      {"gt", '>', true},
    {"quot", '"', true},    {"nbsp", 0xA0, true},   {"apos", '\'', false},
    {"excl", '!', false},   {"num", '#', false},    {"dollar", '$', false},
    {"percnt", '%', false}, {"lpar", '(', false},   {"rpar", ')', false},
    {"ast", '*', false},    {"plus", '+', false},   {"comma", ',', false},
    {"period", '.', false}, {"sol", '/', false},    {"colon", ':', false},
    {"semi", ';', false},   {"equals", '=', false}, {"quest", '?', false},
    {"commat", '@', false}, {"lsqb", '[', false},   {"bsol", '\\', false},
    {"rsqb", ']', false},   {"Hat", '^', false},    {"lowbar", '_', false},
    {"grave", '`', false},  {"lcub", '{', false},   {"verbar", '|', false},
    {"rcub", '}', false},   {"Tab", '\t', false},   {"NewLine", '\n', false},
}};

// What numeric references to the C1 range 0x80-0x9F stand for (windows-1252).
constexpr std::array<char32_t, 32> kC1{{
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
}};

constexpr char32_t kReplacement = 0xFFFD;

bool isAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int digitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char32_t checkedCodePoint(std::uint32_t value) {
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  if (value >= 0x80 && value <= 0x9F) return kC1[value - 0x80];
  return value;
}

struct Decoded {
  char32_t codePoint = 0;
  std::size_t length = 0;  // bytes used from the "&" on; 0: not a reference
};

Decoded numericReference(std::string_view rest) {
  // rest begins with "&#".
  std::size_t pos = 2;
  const bool hex = pos < rest.size() && (rest[pos] == 'x' || rest[pos] == 'X');
  if (hex) ++pos;
  const std::size_t digitsStart = pos;
  std::uint32_t value = 0;
  while (pos < rest.size() && digitValue(rest[pos], hex) >= 0) {
    value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digitValue(rest[pos], hex), 0x110000);
    ++pos;
  }
  if (pos == digitsStart) return {};
  if (pos < rest.size() && rest[pos] == ';') ++pos;
  return {checkedCodePoint(value), pos};
}

Decoded namedReference(std::string_view rest) {
  // rest begins with "&"; the longest name of the table that matches wins.
  Decoded best;
  for (const NamedReference& ref : kNamed) {
    if (rest.substr(1, ref.name.size()) != ref.name) continue;
    const std::size_t after = 1 + ref.name.size();
    const bool semicolon = after < rest.size() && rest[after] == ';';
    if (!semicolon) {
      if (!ref.legacy) continue;
      if (after < rest.size() && (isAsciiAlnum(rest[after]) || rest[after] == '=')) continue;
    }
    const std::size_t length = after + (semicolon ? 1 : 0);
    if (length > best.length) best = {ref.codePoint, length};
  }
  return best;
}

}  // namespace

std::string decodeCharacterReferences(std::string_view raw, PageCharset charset,
                                      std::vector<std::size_t>* rawOffsets) {
  std::string out;
  out.reserve(raw.size());
  if (rawOffsets != nullptr) rawOffsets->clear();
  std::size_t pos = 0;
  while (pos < raw.size()) {
    const std::size_t amp = raw.find('&', pos);
    const std::size_t copyEnd = amp == std::string_view::npos ? raw.size() : amp;
    const std::size_t copyStart = out.size();
    out.append(raw.substr(pos, copyEnd - pos));
    if (rawOffsets != nullptr) {
      for (std::size_t i = copyStart; i < out.size(); ++i)
        rawOffsets->push_back(pos + i - copyStart);
    }
    if (amp == std::string_view::npos) break;
    const std::string_view rest = raw.substr(amp);
    const Decoded ref =
        rest.size() > 1 && rest[1] == '#' ? numericReference(rest) : namedReference(rest);
    if (ref.length == 0) {
      out += '&';
      if (rawOffsets != nullptr) rawOffsets->push_back(amp);
      pos = amp + 1;
      continue;
    }
    appendCodePoint(out, ref.codePoint, charset);
    if (rawOffsets != nullptr) rawOffsets->resize(out.size(), amp);
    pos = amp + ref.length;
  }
  if (rawOffsets != nullptr) rawOffsets->push_back(raw.size());
  return out;
}

}  // namespace murlo
