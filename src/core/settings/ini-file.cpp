#include "settings/ini-file.h"

#include <climits>

#include "platform/atomic-file.h"
#include "text/cp932.h"

namespace murlo {

namespace {

std::string_view trim(std::string_view s) {
  constexpr std::string_view blanks = " \t\r";
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

IniFile::Line IniFile::parseLine(std::string raw) {
  Line line;
  line.raw = std::move(raw);
  const std::string_view t = trim(line.raw);
  if (!t.empty() && t.front() == '[') {
    const std::size_t close = t.find(']');
    if (close != std::string_view::npos) {
      line.isSection = true;
      line.section = std::string(trim(t.substr(1, close - 1)));
    }
    return line;
  }
  if (!t.empty() && t.front() == ';') return line;
  const std::size_t eq = t.find('=');
  if (eq != std::string_view::npos) {
    line.isKey = true;
    line.key = std::string(trim(t.substr(0, eq)));
  }
  return line;
}

IniFile IniFile::load(const std::string& path) {
  IniFile ini;
  RegularFileRead read = readRegularFile(path, kMaxIniFileBytes);
  ini.readStatus_ = read.status;
  const std::string& data = read.content;
  std::size_t pos = 0;
  while (pos < data.size()) {
    std::size_t end = data.find('\n', pos);
    if (end == std::string::npos) end = data.size();
    std::string raw = data.substr(pos, end - pos);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    ini.lines_.push_back(parseLine(std::move(raw)));
    pos = end + 1;
  }
  return ini;
}

std::string IniFile::readProblem(const std::string& path) const {
  constexpr std::string_view kFallback = "既定の設定を使い、このﾌｧｲﾙには保存しません";
  switch (readStatus_) {
    case FileReadStatus::kRead:
    case FileReadStatus::kMissing: return {};
    case FileReadStatus::kNotRegular:
      return path + " は通常のﾌｧｲﾙではありません。" + std::string(kFallback);
    case FileReadStatus::kTooLarge:
      return path + " は大きすぎて読み込めません。" + std::string(kFallback);
    case FileReadStatus::kUnreadable: return path + " を読み込めません。" + std::string(kFallback);
  }
  return {};
}

int IniFile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].isSection && equalsIgnoreAsciiCase(lines_[i].section, section)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int IniFile::sectionEnd(int header) const {
  std::size_t i = static_cast<std::size_t>(header) + 1;
  while (i < lines_.size() && !lines_[i].isSection) ++i;
  return static_cast<int>(i);
}

int IniFile::findKey(int header, std::string_view key) const {
  const int end = sectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    const Line& line = lines_[static_cast<std::size_t>(i)];
    if (line.isKey && equalsIgnoreAsciiCase(line.key, key)) return i;
  }
  return -1;
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
  const int header = findSection(section);
  if (header < 0) return std::nullopt;
  const int at = findKey(header, key);
  if (at < 0) return std::nullopt;
  const std::string& raw = lines_[static_cast<std::size_t>(at)].raw;
  std::string_view value = trim(std::string_view(raw).substr(raw.find('=') + 1));
  // A value in matching double quotes is read without them.
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
  auto value = get(section, key);
  return value ? *value : std::string(defaultValue);
}

int IniFile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
  auto value = get(section, key);
  return value ? parseProfileInt(*value) : defaultValue;
}

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
  // Line breaks inside a value would split it into lines of their own.
  std::string clean;
  for (char c : value) {
    if (c != '\r' && c != '\n') clean.push_back(c);
  }
  std::string raw = std::string(key) + "=" + clean;
  int header = findSection(section);
  if (header < 0) {
    lines_.push_back(parseLine("[" + std::string(section) + "]"));
    lines_.push_back(parseLine(std::move(raw)));
    return;
  }
  const int at = findKey(header, key);
  if (at >= 0) {
    lines_[static_cast<std::size_t>(at)] = parseLine(std::move(raw));
    return;
  }
  // After the section's last non-blank line, so a blank separator line stays below it.
  int insertAt = sectionEnd(header);
  while (insertAt - 1 > header &&
         trim(lines_[static_cast<std::size_t>(insertAt - 1)].raw).empty()) {
    --insertAt;
  }
  lines_.insert(lines_.begin() + insertAt, parseLine(std::move(raw)));
}

void IniFile::setInt(std::string_view section, std::string_view key, int value) {
  setString(section, key, std::to_string(value));
}

std::string IniFile::text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.raw;
    out += "\r\n";
  }
  return out;
}

bool IniFile::save(const std::string& path) const {
  const bool wholeFileKnown =
      readStatus_ == FileReadStatus::kRead || readStatus_ == FileReadStatus::kMissing;
  return wholeFileKnown && writeFileAtomically(path, text());
}

int parseProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) value = -value;
  // Like the 32-bit profile functions, values beyond the range saturate instead of wrapping.
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace murlo
