#include "analysis/tag-scanner.h"

#include "analysis/forward-search.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

// A tag test runs only while more than this many bytes follow the current "<".
constexpr std::size_t kMinRestForTest = 11;
// The keyword of an anchor whose tag begins with "a" counts only this close to its start.
constexpr std::size_t kAnchorKeywordReach = 30;

// One scan of one page. The working text is text_ from pos_ on; it only ever loses bytes at
// its front, by moving pos_.
class TagScan {
 public:
  TagScan(const PageText& page, const AppSettings& settings, const LinkFound& found)
      : text_(page.text),
        settings_(settings),
        found_(found),
        openTag_(text_, "<", page.encoding),
        quote_(text_, "\"", page.encoding),
        hrefLower_(text_, "href", page.encoding),
        hrefUpper_(text_, "HREF", page.encoding),
        backgroundLower_(text_, "background", page.encoding),
        backgroundUpper_(text_, "BACKGROUND", page.encoding),
        srcLower_(text_, "src", page.encoding),
        srcUpper_(text_, "SRC", page.encoding) {}

  void run() {
    std::size_t open = openTag_.find(0);
    while (open != npos) {
      pos_ = open + 1;
      imageTest();
      anchorTest();
      backgroundTest();
      frameTest();
      open = openTag_.find(pos_);
      // One closing tag is passed over.
      if (open != npos && open + 1 < text_.size() && text_[open + 1] == '/') {
        pos_ = open + 1;
        open = openTag_.find(pos_);
      }
    }
  }

 private:
  std::size_t restSize() const { return text_.size() - pos_; }

  bool testEnabled(int bit) const {
    return (settings_.tag & bit) != 0 && restSize() > kMinRestForTest;
  }

  // Whether `word` (any letter case) stands at offset `offset` of the working text.
  bool wordAt(std::size_t offset, std::string_view word) const {
    return equalsIgnoreAsciiCase(text_.substr(pos_ + offset, word.size()), word);
  }

  bool wordNearStart(std::string_view word) const { return wordAt(0, word) || wordAt(1, word); }

  // The lower-case keyword anywhere in the rest, or else the upper-case one.
  std::size_t findKeyword(ForwardSearch& lower, ForwardSearch& upper) {
    const std::size_t at = lower.find(pos_);
    return at != npos ? at : upper.find(pos_);
  }

  // From `from`: cuts the working text after the first quote and reports the text up to
  // the next quote. Either quote missing ends the take; the first cut stays.
  void takeQuoted(std::size_t from, std::string_view tag) {
    const std::size_t open = quote_.find(from);
    if (open == npos) return;
    pos_ = open + 1;
    const std::size_t close = quote_.find(pos_);
    if (close == npos) return;
    found_(text_.substr(pos_, close - pos_), tag);
  }

  void takeAfterKeyword(ForwardSearch& lower, ForwardSearch& upper, std::string_view tag) {
    const std::size_t keyword = findKeyword(lower, upper);
    if (keyword != npos) takeQuoted(keyword, tag);
  }

  void imageTest() {
    if (testEnabled(tagbits::kImage) && wordNearStart("img src")) takeQuoted(pos_, "IMG");
  }

  void anchorTest() {
    if (!testEnabled(tagbits::kAnchor)) return;
    for (std::size_t offset = 0; offset < 2; ++offset) {
      if (wordAt(offset, "a href")) {
        takeQuoted(pos_, "HREF");
        break;
      }
      if (wordAt(offset, "area s")) {
        takeAfterKeyword(hrefLower_, hrefUpper_, "HREF");
        break;
      }
    }
    // Also after a taken "a href" link: the working text then begins with that link, and a
    // link that starts with "a" can give one more link from the text after it.
    if (restSize() == 0 || (text_[pos_] != 'a' && text_[pos_] != 'A')) return;
    const std::size_t keyword = findKeyword(hrefLower_, hrefUpper_);
    if (keyword != npos && keyword - pos_ < kAnchorKeywordReach) takeQuoted(keyword, "HREF");
  }

  void backgroundTest() {
    if (testEnabled(tagbits::kBody) && wordNearStart("body")) {
      takeAfterKeyword(backgroundLower_, backgroundUpper_, "BODY");
    }
  }

  // "frame" also matches a frameset tag.
  void frameTest() {
    if (testEnabled(tagbits::kFrame) && wordNearStart("frame")) {
      takeAfterKeyword(srcLower_, srcUpper_, "FRAME");
    }
  }

  std::string_view text_;
  const AppSettings& settings_;
  const LinkFound& found_;
  std::size_t pos_ = 0;
  ForwardSearch openTag_;
  ForwardSearch quote_;
  ForwardSearch hrefLower_;
  ForwardSearch hrefUpper_;
  ForwardSearch backgroundLower_;
  ForwardSearch backgroundUpper_;
  ForwardSearch srcLower_;
  ForwardSearch srcUpper_;
};

}  // namespace

void findTagLinks(const PageText& page, const AppSettings& liveSettings, const LinkFound& found) {
  TagScan(page, liveSettings, found).run();
}

}  // namespace murlo
