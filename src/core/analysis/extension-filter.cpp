#include "analysis/extension-filter.h"

#include <array>

#include "text/cp932.h"

namespace murlo {

namespace {

struct ExtensionClass {
  std::string_view extension;
  int bit;
};

// In the order of the test: the first class whose extension matches decides.
constexpr std::array<ExtensionClass, 16> kClasses{{
    {"htm", downex::kHtml},
    {"html", downex::kHtml},
    {"shtml", downex::kHtml},
    {"cgi", downex::kCgi},
    {"txt", downex::kTxt},
    {"jpg", downex::kJpg},
    {"gif", downex::kGif},
    {"lzh", downex::kLzh},
    {"zip", downex::kZip},
    {"rar", downex::kRar},
    {"rm", downex::kRm},
    {"ram", downex::kRm},
    {"mpeg", downex::kMpeg},
    {"avi", downex::kAvi},
    {"viv", downex::kViv},
    {"exe", downex::kExe},
}};

bool inCustomList(std::string_view list, std::string_view extension) {
  // Entries are compared whole; blanks around them are part of the entry.
  std::size_t start = 0;
  while (true) {
    const std::size_t semi = list.find(';', start);
    const std::string_view entry =
        list.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start);
    if (equalsIgnoreAsciiCase(entry, extension)) return true;
    if (semi == std::string_view::npos) return false;
    start = semi + 1;
  }
}

bool inAnyClass(const AppSettings& settings, std::string_view extension) {
  for (const ExtensionClass& c : kClasses) {
    if (equalsIgnoreAsciiCase(extension, c.extension)) return true;
  }
  return (settings.downEx & downex::kCustom) != 0 && inCustomList(settings.extend, extension);
}

}  // namespace

bool acceptExtension(const AppSettings& settings, std::string_view extension,
                     bool fileNameWasEmpty) {
  if (fileNameWasEmpty) return (settings.downEx & downex::kHtml) != 0;
  for (const ExtensionClass& c : kClasses) {
    if (equalsIgnoreAsciiCase(extension, c.extension)) return (settings.downEx & c.bit) != 0;
  }
  if ((settings.downEx & downex::kCustom) == 0) return false;
  // The list is UTF-8 (ini-text.h); an item's extension may be CP932.
  return inCustomList(settings.extend, displayText(extension));
}

std::string finderExtension(const AppSettings& settings, std::string_view fileName,
                            bool imagePlace) {
  const std::string_view name = fileName.substr(0, findChar(fileName, '?'));
  const std::size_t firstDot = findChar(name, '.');
  if (firstDot == std::string_view::npos) return std::string(imagePlace ? "jpg" : name);
  const std::string_view afterFirst = name.substr(firstDot + 1);
  if (inAnyClass(settings, afterFirst)) return std::string(afterFirst);
  return std::string(name.substr(findLastChar(name, '.') + 1));
}

bool passesJfifCheck(std::string_view fullAddress) {
  return fullAddress.size() >= 3 &&
         equalsIgnoreAsciiCase(fullAddress.substr(fullAddress.size() - 3), "jpg");
}

}  // namespace murlo
