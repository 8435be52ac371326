#include "logic/file-filter.h"

#include <cctype>
#include <sstream>

namespace murlo::gui {

namespace {

// `pattern` with each ASCII letter as a bracket of its two cases.
std::string caseless(const std::string& pattern) {
  std::string out;
  for (const char c : pattern) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && std::isalpha(byte)) {
      out += '[';
      out += static_cast<char>(std::tolower(byte));
      out += static_cast<char>(std::toupper(byte));
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

// One filter's ";"-separated patterns, widened as fileDialogWildcard says.
std::string widenedPatterns(const std::string& patterns) {
  std::string out;
  std::stringstream in(patterns);
  std::string pattern;
  while (std::getline(in, pattern, ';')) {
    if (!out.empty()) out += ';';
    if (pattern == "*.*") {
      out += '*';
      continue;
    }
    out += pattern;
    if (const std::string either = caseless(pattern); either != pattern) out += ';' + either;
  }
  return out;
}

}  // namespace

std::string fileDialogWildcard(const std::string& filter) {
  std::string trimmed = filter;
  while (!trimmed.empty() && trimmed.back() == '|') trimmed.pop_back();
  std::string out;
  std::stringstream in(trimmed);
  std::string field;
  for (int index = 0; std::getline(in, field, '|'); ++index) {
    if (index > 0) out += '|';
    out += index % 2 == 1 ? widenedPatterns(field) : field;
  }
  return out;
}

}  // namespace murlo::gui
