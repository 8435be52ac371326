// Runs the link scanners over a page given as file content and lists what they report.
#pragma once

#include <string>
#include <vector>

#include "analysis/page-text.h"
#include "analysis/string-scanner.h"
#include "analysis/tag-scanner.h"

namespace murlo::test {

// Each reported link as "TAG link", in the order reported.
inline std::vector<std::string> tagLinks(const std::string& content, int tagBits = 15) {
  AppSettings settings;
  settings.tag = tagBits;
  std::vector<std::string> out;
  findTagLinks(preparePageText(content), settings,
               [&](std::string_view link, std::string_view tag) {
                 out.push_back(std::string(tag) + " " + std::string(link));
               });
  return out;
}

inline std::vector<std::string> httpStrings(const std::string& content) {
  std::vector<std::string> out;
  findHttpStrings(preparePageText(content), [&](std::string_view link, std::string_view tag) {
    out.push_back(std::string(tag) + " " + std::string(link));
  });
  return out;
}

using Links = std::vector<std::string>;

}  // namespace murlo::test
