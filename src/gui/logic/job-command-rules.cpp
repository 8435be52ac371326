#include "logic/job-command-rules.h"

#include "text/cp932.h"

namespace murlo::gui {

bool canAnalyzeSelection(const ItemList& list) {
  bool any = false;
  for (int i = 0; i < list.count(); ++i) {
    const ItemRecord& r = list.row(i);
    if (!r.selected) continue;
    any = true;
    const std::string& name = r.fileName;
    const bool page =
        name.size() >= 5 &&
        (endsWithIgnoreAsciiCase(name, ".htm") || endsWithIgnoreAsciiCase(name, ".html") ||
         endsWithIgnoreAsciiCase(name, ".htm)") || endsWithIgnoreAsciiCase(name, "shtml") ||
         endsWithIgnoreAsciiCase(name, ".cgi"));
    if (!page) return false;
  }
  return any;
}

std::optional<std::string> suggestMustContain(const std::string& address,
                                              const std::string& mustContain) {
  if (!mustContain.empty()) return std::nullopt;
  const std::size_t slash = findLastChar(address, '/');
  if (slash == std::string::npos) return std::nullopt;
  return address.substr(0, slash + 1);
}

}  // namespace murlo::gui
