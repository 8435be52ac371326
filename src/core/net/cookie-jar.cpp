#include "net/cookie-jar.h"

#include <fstream>
#include <iterator>

#include "platform/atomic-file.h"
#include "text/cp932.h"

namespace murlo {

namespace {

// A cookie file larger than this is no export of a browser's cookies.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;
constexpr std::string_view kHttpOnlyPrefix = "#HttpOnly_";
constexpr std::string_view kFileHeader = "# Netscape HTTP Cookie File\n";

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

bool isTrueOrFalse(std::string_view text) {
  return equalsIgnoreAsciiCase(text, "TRUE") || equalsIgnoreAsciiCase(text, "FALSE");
}

bool isDigits(std::string_view text) {
  if (text.empty() || text.size() > 19) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> cookieLineProblem(std::string_view line, bool& isCookie) {
  isCookie = false;
  if (line.find('\0') != std::string_view::npos) return "制御文字が含まれています";
  if (line.starts_with(kHttpOnlyPrefix)) {
    line.remove_prefix(kHttpOnlyPrefix.size());
  } else if (line.starts_with('#') || line.find_first_not_of(" \t") == std::string_view::npos) {
    return std::nullopt;
  }
  // Seven fields; an empty value may also leave out its tab.
  const std::vector<std::string_view> f = fields(line);
  if (f.size() != 7 && f.size() != 6) return "ﾀﾌﾞで区切られた 7 つの項目がありません";
  if (f[0].empty() || f[0].find(' ') != std::string_view::npos) return "ﾄﾞﾒｲﾝが正しくありません";
  if (!isTrueOrFalse(f[1]) || !isTrueOrFalse(f[3])) return "TRUE か FALSE の項目が正しくありません";
  if (!f[2].starts_with('/')) return "ﾊﾟｽが / で始まっていません";
  if (!isDigits(f[4])) return "有効期限が数字ではありません";
  if (f[5].empty()) return "ｸｯｷｰの名前がありません";
  isCookie = true;
  return std::nullopt;
}

CookieJar::Loaded CookieJar::load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {nullptr, "ｸｯｷｰ ﾌｧｲﾙ " + path + " を開けません"};
  std::string text;
  char block[65536];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    text.append(block, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxFileBytes) return {nullptr, "ｸｯｷｰ ﾌｧｲﾙ " + path + " が大きすぎます"};
  }
  if (in.bad()) return {nullptr, "ｸｯｷｰ ﾌｧｲﾙ " + path + " を読み込めません"};
  return parse(text, path);
}

CookieJar::Loaded CookieJar::parse(std::string_view text, const std::string& path) {
  auto jar = std::make_shared<CookieJar>();
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ++number;
    start = end + 1;
    bool isCookie = false;
    if (const std::optional<std::string> problem = cookieLineProblem(line, isCookie)) {
      return {nullptr, "ｸｯｷｰ ﾌｧｲﾙ " + path + " の " + std::to_string(number) +
                           " 行目が Netscape 形式ではありません: " + *problem};
    }
    if (isCookie) jar->lines_.emplace_back(line);
  }
  return {jar, {}};
}

std::vector<std::string> CookieJar::lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

void CookieJar::replace(std::vector<std::string> lines) {
  std::lock_guard lock(mutex_);
  lines_ = std::move(lines);
}

std::string CookieJar::fileText() const {
  std::string text(kFileHeader);
  for (const std::string& line : lines()) text += line + "\n";
  return text;
}

bool CookieJar::save(const std::string& path) const {
  // Cookies are logins: a new file is the user's alone.
  return writeFileAtomically(path, fileText(), 0600);
}

}  // namespace murlo
