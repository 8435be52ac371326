// The link scanners on the real saved pages of MURLO_PAGE_CORPUS_DIR, against the expected
// links kept next to each page in <page>.links: one line per link in the order reported,
// "TAG link", the tag scan (all four tag bits) first and then the string scan. Lines are
// raw page bytes, CP932 or UTF-8, ending in LF.
//
// After a deliberate change to the scanners, rewrite the files with
//   MURLO_UPDATE_GOLDEN=1 build/tests/unit/murlo_unit_tests --gtest_filter='SavedPages.*'
// and review the change of every .links file before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox.h"
#include "scan-test-helpers.h"

namespace murlo::test {
namespace {

// The page files named in the MANIFEST, in its order.
std::vector<std::filesystem::path> savedPages() {
  const std::filesystem::path dir = MURLO_PAGE_CORPUS_DIR;
  std::vector<std::filesystem::path> pages;
  std::ifstream manifest(dir / "MANIFEST");
  std::string line;
  while (std::getline(manifest, line)) {
    if (!line.empty() && line[0] != '#') pages.push_back(dir / line.substr(0, line.find('\t')));
  }
  return pages;
}

std::string scannedLinks(const std::string& content) {
  std::string out;
  for (const auto& scan : {tagLinks(content), httpStrings(content)}) {
    for (const std::string& line : scan) out += line + '\n';
  }
  return out;
}

TEST(SavedPages, GiveTheirExpectedLinks) {
  const std::vector<std::filesystem::path> pages = savedPages();
  ASSERT_FALSE(pages.empty()) << "no MANIFEST in " << MURLO_PAGE_CORPUS_DIR;
  const char* updateFlag = std::getenv("MURLO_UPDATE_GOLDEN");
  const bool update = updateFlag != nullptr && std::string_view(updateFlag) == "1";
  for (const std::filesystem::path& page : pages) {
    SCOPED_TRACE(page.string());
    const std::string content = readFile(page.string());
    ASSERT_FALSE(content.empty());
    const std::string links = scannedLinks(content);
    const auto expected = std::filesystem::path(page).replace_extension(".links");
    if (update) {
      std::ofstream(expected, std::ios::binary) << links;
      continue;
    }
    // Compared as whole texts, so that a mismatch prints a line diff.
    EXPECT_EQ(readFile(expected.string()), links)
        << "rerun with MURLO_UPDATE_GOLDEN=1 if the change is meant";
  }
}

}  // namespace
}  // namespace murlo::test
