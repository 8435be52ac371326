// The fast link scanners against a plain reference that follows the scan's rules step by
// step on a working string, cutting and rebuilding it at every step and searching it from
// its start: quadratic, but easy to check by eye. Both must report the same links in the
// same order, on real saved pages and on generated ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "analysis/page-scan.h"
#include "scripted-prompter.h"
#include "sandbox.h"
#include "scan-test-helpers.h"

namespace murlo::test {
namespace {

constexpr auto npos = std::string::npos;

struct Found {
  std::string link;
  std::string tag;
  bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& f) {
  return out << f.tag << " [" << f.link << "]";
}

// ---- The reference -------------------------------------------------------------------

// The first match of `pattern` in `s` that starts a character: in CP932 a lead byte takes
// the byte after it along.
std::size_t refFind(const std::string& s, const std::string& pattern, bool cp932) {
  std::size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, pattern.size(), pattern) == 0) return i;
    const auto c = static_cast<unsigned char>(s[i]);
    i += cp932 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
  }
  return npos;
}

bool refSameLetters(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

struct RefPage {
  std::string text;
  bool cp932;
};

RefPage refLoad(std::string s) {
  if (s.find('\0') != npos) s = s.substr(0, s.find('\0'));
  const bool cp932 = !isValidUtf8(s);
  // Every CR with the one character after it becomes a space; then LF, then tab.
  for (std::size_t cr = s.find('\r'); cr != npos; cr = s.find('\r')) {
    s = s.substr(0, cr) + " " + (cr + 2 <= s.size() ? s.substr(cr + 2) : "");
  }
  std::replace(s.begin(), s.end(), '\n', ' ');
  std::replace(s.begin(), s.end(), '\t', ' ');
  return {s, cp932};
}

std::vector<Found> refScanTags(const RefPage& page, int bits) {
  std::vector<Found> out;
  std::string w = page.text;
  const auto find = [&](const std::string& pattern) { return refFind(w, pattern, page.cp932); };
  const auto startsWith = [&](std::size_t offset, const std::string& word) {
    return refSameLetters(w.substr(offset, word.size()), word);
  };
  // Cut after the first quote, report up to the next one.
  const auto takeQuoted = [&](const std::string& tag) {
    const std::size_t open = find("\"");
    if (open == npos) return;
    w = w.substr(open + 1);
    const std::size_t close = find("\"");
    if (close == npos) return;
    out.push_back({w.substr(0, close), tag});
  };
  // Find the keyword (or its upper-case form), then take the quoted text after it.
  const auto takeAfter = [&](const std::string& keyword, const std::string& upper,
                             const std::string& tag, std::size_t reach) {
    std::size_t at = find(keyword);
    if (at == npos) at = find(upper);
    if (at == npos || at >= reach) return;
    const std::string fromKeyword = w.substr(at);
    const std::size_t open = refFind(fromKeyword, "\"", page.cp932);
    if (open == npos) return;
    w = fromKeyword.substr(open + 1);
    const std::size_t close = find("\"");
    if (close == npos) return;
    out.push_back({w.substr(0, close), tag});
  };

  std::size_t lt = find("<");
  while (lt != npos) {
    w = w.substr(lt + 1);
    if ((bits & 1) && w.size() > 11) {
      if (startsWith(0, "img src") || startsWith(1, "img src")) takeQuoted("IMG");
    }
    if ((bits & 2) && w.size() > 11) {
      for (std::size_t offset : {0u, 1u}) {
        if (startsWith(offset, "a href")) {
          takeQuoted("HREF");
          break;
        }
        if (startsWith(offset, "area s")) {
          takeAfter("href", "HREF", "HREF", npos);
          break;
        }
      }
      if (!w.empty() && (w[0] == 'a' || w[0] == 'A')) takeAfter("href", "HREF", "HREF", 30);
    }
    if ((bits & 4) && w.size() > 11 && (startsWith(0, "body") || startsWith(1, "body"))) {
      takeAfter("background", "BACKGROUND", "BODY", npos);
    }
    if ((bits & 8) && w.size() > 11 && (startsWith(0, "frame") || startsWith(1, "frame"))) {
      takeAfter("src", "SRC", "FRAME", npos);
    }
    lt = find("<");
    if (lt != npos && lt + 1 < w.size() && w[lt + 1] == '/') {
      w = w.substr(lt + 1);
      lt = find("<");
    }
  }
  return out;
}

std::vector<Found> refScanStrings(const RefPage& page) {
  std::vector<Found> out;
  std::string w = page.text;
  while (true) {
    const std::size_t http = refFind(w, "http://", page.cp932);
    const std::size_t https = refFind(w, "https://", page.cp932);
    if (http == npos && https == npos) break;
    const std::string scheme = http < https ? "http://" : "https://";
    w = w.substr(std::min(http, https) + scheme.size());
    if (w.size() > 3) {
      const std::size_t space = refFind(w, " ", page.cp932);
      if (space == npos) break;
      out.push_back({scheme + w.substr(0, space), "ALL"});
    }
  }
  return out;
}

// ---- The fast scanners -----------------------------------------------------------------

std::vector<Found> fastScanTags(const std::string& content, int bits) {
  AppSettings settings;
  settings.tag = bits;
  std::vector<Found> out;
  findTagLinks(preparePageText(content), settings, [&](std::string_view link, std::string_view tag) {
    out.push_back({std::string(link), std::string(tag)});
  });
  return out;
}

std::vector<Found> fastScanStrings(const std::string& content) {
  std::vector<Found> out;
  findHttpStrings(preparePageText(content), [&](std::string_view link, std::string_view tag) {
    out.push_back({std::string(link), std::string(tag)});
  });
  return out;
}

// ---- Real pages --------------------------------------------------------------------------

struct CorpusPage {
  std::string path;
  std::string address;
};

std::vector<CorpusPage> corpusPages() {
  std::vector<CorpusPage> pages;
  const std::filesystem::path dir = MURLO_PAGE_CORPUS_DIR;
  std::ifstream manifest(dir / "MANIFEST");
  std::string line;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string file, charset, address;
    std::getline(fields, file, '\t');
    std::getline(fields, charset, '\t');
    std::getline(fields, address, '\t');
    pages.push_back({(dir / file).string(), address});
  }
  return pages;
}

std::vector<std::string> listRows(const ItemList& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.count(); ++i) {
    std::string row;
    for (int col = 0; col < kColumnCount; ++col) row += list.text(i, col) + "\t";
    rows.push_back(row);
  }
  return rows;
}

TEST(ScannerDifferential, RealPagesGiveTheReferenceItems) {
  const std::vector<CorpusPage> pages = corpusPages();
  if (pages.empty()) GTEST_SKIP() << "no page corpus at " << MURLO_PAGE_CORPUS_DIR;
  std::size_t tagLinkCount = 0;
  std::size_t stringLinkCount = 0;
  for (const CorpusPage& page : pages) {
    SCOPED_TRACE(page.path);
    const std::string content = readFile(page.path);
    ASSERT_FALSE(content.empty());
    const RefPage ref = refLoad(content);
    const std::vector<Found> tags = refScanTags(ref, 15);
    const std::vector<Found> strings = refScanStrings(ref);
    EXPECT_EQ(fastScanTags(content, 15), tags);
    EXPECT_EQ(fastScanStrings(content), strings);
    tagLinkCount += tags.size();
    stringLinkCount += strings.size();

    // Through the file and addLink, as an analysis job runs it.
    AppSettings settings;
    settings.downEx = 0x3FFF;  // every extension class, so that most links become items
    settings.extend = "css;js";
    ScriptedPrompter prompter;
    for (const int jobTag : {15, 16}) {
      ItemList fast;
      ItemList expected;
      const LinkSink expectedSink{expected, settings};
      for (const Found& f : jobTag == 15 ? tags : strings) {
        addLink(expectedSink, f.link, page.address, f.tag);
      }
      const PageScanContext context{{fast, settings}, prompter, "/nonexistent"};
      EXPECT_EQ(scanPage(context, page.address, page.path, jobTag), ScanResult::kComplete);
      EXPECT_EQ(listRows(fast), listRows(expected));
    }
  }
  // The corpus is meant to exercise the scanners, not to pass vacuously.
  EXPECT_GT(tagLinkCount, 100u);
  EXPECT_GT(stringLinkCount, 10u);
}

// ---- Generated pages ---------------------------------------------------------------------

// Pieces of markup, text and bytes that the scan treats specially, glued at random.
const std::vector<std::string>& markupPieces() {
  static const std::vector<std::string> pieces = {
      "<", "</", ">", "\"", " ", "=", "a", "A", "x", "<p>", "</a>", "<br>", "<td ",
      "<img src=", "<IMG SRC=", "< img src=", "<img  src=", "<img border=0 src=", "img src",
      "<a href=", "<A HREF=", "<a name=\"top\" ", "<a ", "a href", " href=", " HREF=",
      " Href=", "<area shape=\"rect\" ", "<AREA SHAPE=", "area s", "<body ", "<BODY ",
      "<body bgcolor=\"w\" ", " background=", " BACKGROUND=", "<frame ", "<FRAMESET ",
      "<frameset>", " src=", " SRC=", "\"a.gif\"", "\"about.htm\"", "\"pics/b.jpg\"",
      "\"../c.html\"", "\"./d.htm\"", "\"/e/\"", "\"mailto:me@host.jp\"", "x.htm", "http://",
      "https://", "http://host/p.htm", "https://h/q.jpg\"", "HTTP://h/", "http://ab",
      "\r", "\n", "\t", "\r\n", "   ", "a-name-that-is-long-enough-to-pass-30",
  };
  return pieces;
}

// Bytes outside ASCII: CP932 characters (some with ASCII trail bytes), lone lead bytes in
// front of markup, and UTF-8 characters.
const std::vector<std::string>& foreignPieces() {
  static const std::vector<std::string> pieces = {
      "\x82\xA0", "\x83\x5C", "\x93\xFA\x96\x7B", "\x81<", "\x81\"", "\x82h", "\x81 ",
      "\x9F", "\xE0", "\xFC", "\xE3\x81\x82", "\xE3\x81\x82<", "\xC3\xA9", std::string(1, '\0'),
  };
  return pieces;
}

// Each page draws on a small palette of pieces, so that rare combinations (an upper-case
// keyword with no lower-case one after it, a tag near the end of the page) come up often.
std::string generatePage(std::mt19937& rng, bool withForeignBytes) {
  std::vector<std::string> palette;
  const std::size_t paletteSize = 2 + rng() % 8;
  for (std::size_t i = 0; i < paletteSize; ++i) {
    const auto& from = withForeignBytes && rng() % 4 == 0 ? foreignPieces() : markupPieces();
    palette.push_back(from[rng() % from.size()]);
  }
  std::string page;
  const std::size_t pieces = rng() % 2 ? rng() % 12 : rng() % 80;
  for (std::size_t i = 0; i < pieces; ++i) {
    if (withForeignBytes && rng() % 16 == 0) {
      page += static_cast<char>(rng() % 256);
    } else {
      page += palette[rng() % palette.size()];
    }
  }
  return page;
}

TEST(ScannerDifferential, GeneratedPagesGiveTheReferenceLinks) {
  std::mt19937 rng(20240607);
  std::size_t links = 0;
  std::size_t utf8Pages = 0;
  for (int i = 0; i < 10000; ++i) {
    const std::string page = generatePage(rng, i % 3 != 0);
    const int bits = static_cast<int>(rng() % 16);
    const RefPage ref = refLoad(page);
    utf8Pages += ref.cp932 ? 0 : 1;
    const std::vector<Found> tags = refScanTags(ref, bits);
    const std::vector<Found> strings = refScanStrings(ref);
    ASSERT_EQ(fastScanTags(page, bits), tags) << "page " << i << " bits " << bits << ": " << page;
    ASSERT_EQ(fastScanStrings(page), strings) << "page " << i << ": " << page;
    links += tags.size() + strings.size();
  }
  EXPECT_GT(links, 8000u);
  EXPECT_GT(utf8Pages, 1000u);
}

}  // namespace
}  // namespace murlo::test
