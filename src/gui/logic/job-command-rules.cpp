#include "logic/job-command-rules.h"

#include "text/cp932.h"

namespace murlo::gui {

namespace {

bool endsWithIgnoreCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         equalsIgnoreAsciiCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

}  // namespace

bool canAnalyzeSelection(const ItemList& list) {
  bool any = false;
  for (int i = 0; i < list.count(); ++i) {
    const ItemRecord& r = list.row(i);
    if (!r.selected) continue;
    any = true;
    const std::string& name = r.fileName;
    const bool page = name.size() >= 5 &&
                      (endsWithIgnoreCase(name, ".htm") || endsWithIgnoreCase(name, ".html") ||
                       endsWithIgnoreCase(name, ".htm)") || endsWithIgnoreCase(name, "shtml") ||
                       endsWithIgnoreCase(name, ".cgi"));
    if (!page) return false;
  }
  return any;
}

std::optional<std::string> recursiveAddressError(const std::string& address) {
  if (address.empty()) return "URLが入力されていません。";
  if (address.find('/') == std::string::npos) return "不正なURLです。";
  if (address.back() != '/' && !endsWithIgnoreCase(address, ".htm") &&
      !endsWithIgnoreCase(address, ".cgi") && !endsWithIgnoreCase(address, ".html") &&
      !endsWithIgnoreCase(address, ".htm)") && !endsWithIgnoreCase(address, "shtml")) {
    return "このURLは解析不可能です。";
  }
  return std::nullopt;
}

std::optional<std::string> suggestMustContain(const std::string& address,
                                              const std::string& mustContain) {
  if (!mustContain.empty()) return std::nullopt;
  const std::size_t slash = findLastChar(address, '/');
  if (slash == std::string::npos) return std::nullopt;
  return address.substr(0, slash + 1);
}

}  // namespace murlo::gui
