#include "analysis/html-link-finder.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "analysis/character-reference.h"
#include "analysis/html-charset.h"
#include "analysis/html-value-lists.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr auto npos = std::string_view::npos;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// How many attributes of one tag are kept, and how many links of one element are
// remembered to drop repeats.
constexpr std::size_t kMaxAttributes = 256;
constexpr std::size_t kMaxRememberedLinks = 16;

// Elements whose content is text up to their own end tag, never markup. The content of
// <noscript> and <noframes> is read as markup: it holds the links of pages for browsers
// without scripts or frames.
constexpr std::array<std::string_view, 8> kRawTextElements{
    {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "plaintext"}};

// The <meta property|name> values whose content is a page's preview image.
constexpr std::array<std::string_view, 5> kImageMetaNames{
    {"og:image", "og:image:url", "og:image:secure_url", "twitter:image", "twitter:image:src"}};

// The elements whose background attribute is a background image.
constexpr std::array<std::string_view, 5> kBackgroundElements{{"body", "table", "tr", "td", "th"}};

template <std::size_t N>
bool isOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  for (std::string_view w : words) {
    if (equalsIgnoreAsciiCase(word, w)) return true;
  }
  return false;
}

struct Attribute {
  std::string_view name;
  std::string_view value;
};

// What an attribute of an image element holds.
enum class ImageAttribute { kNone, kSingle, kSrcset };

// src, srcset and the lazy-loading attributes scripts copy into them (data-src,
// data-srcset, data-original, data-lazy-src, ...).
ImageAttribute imageAttributeKind(std::string_view name) {
  if (equalsIgnoreAsciiCase(name, "src") || equalsIgnoreAsciiCase(name, "lowsrc")) {
    return ImageAttribute::kSingle;
  }
  if (equalsIgnoreAsciiCase(name, "srcset")) return ImageAttribute::kSrcset;
  if (!startsWithIgnoreAsciiCase(name, "data-")) return ImageAttribute::kNone;
  if (endsWithIgnoreAsciiCase(name, "srcset")) return ImageAttribute::kSrcset;
  const std::string_view rest = name.substr(5);
  if (findText(rest, "src", TextEncoding::Utf8) != npos ||
      findText(rest, "original", TextEncoding::Utf8) != npos ||
      equalsIgnoreAsciiCase(rest, "lazy") || equalsIgnoreAsciiCase(rest, "echo")) {
    return ImageAttribute::kSingle;
  }
  return ImageAttribute::kNone;
}

// Whether the white-space separated list `list` holds `word` (any letter case).
bool listHolds(std::string_view list, std::string_view word) {
  std::size_t pos = 0;
  while (pos < list.size()) {
    while (pos < list.size() && isSpace(list[pos])) ++pos;
    std::size_t end = pos;
    while (end < list.size() && !isSpace(list[end])) ++end;
    if (end > pos && equalsIgnoreAsciiCase(list.substr(pos, end - pos), word)) return true;
    pos = end;
  }
  return false;
}

// Whether the rel keywords of a <link> name an icon: any keyword holding "icon" ("icon",
// "apple-touch-icon-precomposed", "mask-icon", the "fluid-icon" of every GitHub page) or
// the old "shortcut" alone.
bool relNamesIcon(std::string rel) {
  for (char& c : rel) c = asciiLower(c);
  return rel.find("icon") != std::string::npos || listHolds(rel, "shortcut");
}

// One pass over one page. Only start tags are looked at closely; everything else is
// skipped by the rules of the HTML tokenizer so that no link is taken from a comment, a
// script or the middle of an attribute value.
class HtmlScan {
 public:
  // With `placesFrom` other than HtmlLink::kNoPlace, every place of an address is reported
  // with its offset: `text` then starts `placesFrom` bytes into the page file.
  HtmlScan(std::string_view text, PageCharset charset, const AppSettings& settings,
           const HtmlLinkFound& found, bool everyPlace, std::size_t placesFrom)
      : text_(text),
        charset_(charset),
        settings_(settings),
        found_(found),
        everyPlace_(everyPlace),
        placesFrom_(placesFrom) {}

  void run() {
    while (true) {
      const std::size_t open = text_.find('<', pos_);
      if (open == npos || open + 1 >= text_.size()) return;
      pos_ = open + 1;
      const char c = text_[pos_];
      if (isAsciiAlpha(c)) {
        if (!startTag()) return;
      } else if (c == '/') {
        endTag();
      } else if (c == '!') {
        markupDeclaration();
      } else if (c == '?') {
        skipPast(">");
      }
    }
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }

  void skipPast(std::string_view end) {
    const std::size_t at = text_.find(end, pos_);
    pos_ = at == npos ? text_.size() : at + end.size();
  }

  void readTagName() {
    const std::size_t start = pos_;
    while (!atEnd() && !isSpace(text_[pos_]) && text_[pos_] != '/' && text_[pos_] != '>') ++pos_;
    tagName_.assign(text_.substr(start, pos_ - start));
    for (char& c : tagName_) c = asciiLower(c);
  }

  // Reads the attributes up to and including the tag's ">". False when the page ends
  // inside the tag, which then counts for nothing.
  bool readAttributes() {
    attributes_.clear();
    selfClosing_ = false;
    while (true) {
      while (!atEnd() && (isSpace(text_[pos_]) || text_[pos_] == '/')) {
        selfClosing_ = text_[pos_] == '/';
        ++pos_;
      }
      if (atEnd()) return false;
      if (text_[pos_] == '>') {
        ++pos_;
        return true;
      }
      selfClosing_ = false;
      const std::size_t nameStart = pos_++;  // a leading "=" belongs to the name
      while (!atEnd() && !isSpace(text_[pos_]) && text_[pos_] != '/' && text_[pos_] != '>' &&
             text_[pos_] != '=') {
        ++pos_;
      }
      const std::string_view name = text_.substr(nameStart, pos_ - nameStart);
      while (!atEnd() && isSpace(text_[pos_])) ++pos_;
      std::string_view value;
      if (!atEnd() && text_[pos_] == '=') {
        ++pos_;
        while (!atEnd() && isSpace(text_[pos_])) ++pos_;
        if (atEnd()) return false;
        const char quote = text_[pos_];
        if (quote == '"' || quote == '\'') {
          const std::size_t close = text_.find(quote, pos_ + 1);
          if (close == npos) return false;
          value = text_.substr(pos_ + 1, close - pos_ - 1);
          pos_ = close + 1;
        } else {
          const std::size_t start = pos_;
          while (!atEnd() && !isSpace(text_[pos_]) && text_[pos_] != '>') ++pos_;
          value = text_.substr(start, pos_ - start);
        }
      }
      // A repeated attribute is dropped: the first one counts. Attributes past the
      // limit are read over unkept, which keeps a tag of a million attributes linear.
      if (attributes_.size() < kMaxAttributes && !attribute(name)) {
        attributes_.push_back({name, value});
      }
    }
  }

  const Attribute* attribute(std::string_view name) const {
    for (const Attribute& a : attributes_) {
      if (equalsIgnoreAsciiCase(a.name, name)) return &a;
    }
    return nullptr;
  }

  std::string_view attributeValue(std::string_view name) const {
    const Attribute* a = attribute(name);
    return a != nullptr ? a->value : std::string_view();
  }

  bool startTag() {
    readTagName();
    if (!readAttributes()) return false;
    element();
    if (isOneOf(tagName_, kRawTextElements)) rawText();
    return true;
  }

  void endTag() {
    ++pos_;
    if (atEnd()) return;
    if (!isAsciiAlpha(text_[pos_])) {
      skipPast(">");
      return;
    }
    readTagName();
    readAttributes();
    if (tagName_ == "svg" && svgDepth_ > 0) --svgDepth_;
    if (tagName_ == "picture" && pictureDepth_ > 0) --pictureDepth_;
  }

  void markupDeclaration() {
    ++pos_;
    const std::string_view rest = text_.substr(pos_);
    if (rest.substr(0, 2) == "--") {
      pos_ += 2;
      // "<!-->" and "<!--->" are whole comments.
      if (text_.substr(pos_, 1) == ">") {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "->") {
        pos_ += 2;
      } else {
        skipPast("-->");
      }
    } else if (svgDepth_ > 0 && rest.substr(0, 7) == "[CDATA[") {
      skipPast("]]>");
    } else {
      skipPast(">");
    }
  }

  // Skips the content of a raw text element up to its end tag; a style block's url()s
  // are backgrounds.
  void rawText() {
    const std::size_t start = pos_;
    std::size_t end = text_.size();
    for (std::size_t at = text_.find("</", pos_); at != npos; at = text_.find("</", at + 2)) {
      const std::size_t after = at + 2 + tagName_.size();
      if (after <= text_.size() &&
          equalsIgnoreAsciiCase(text_.substr(at + 2, tagName_.size()), tagName_) &&
          (after == text_.size() || isSpace(text_[after]) || text_[after] == '/' ||
           text_[after] == '>')) {
        end = at;
        break;
      }
    }
    if (tagName_ == "style" && enabled(tagbits::kBody)) {
      const std::string_view css = text_.substr(start, end - start);
      source_ = {css, css, false};
      // Each url() of a style sheet counts on its own.
      forEachCssUrl(css, [&](std::string_view url) {
        elementLinks_.clear();
        report(url, "BODY", false);
      });
    }
    pos_ = end;
  }

  bool enabled(int bit) const { return (settings_.tag & bit) != 0; }

  // The attribute value with its character references decoded, in a buffer reused for
  // every value. It becomes the text the addresses reported next are taken from.
  std::string_view decoded(std::string_view value) {
    source_ = {value, value, false};
    if (value.find('&') == npos) return value;
    decoded_ = decodeCharacterReferences(value, charset_, everyPlace_ ? &rawOffsets_ : nullptr);
    source_ = {value, decoded_, true};
    return decoded_;
  }

  // Sets the place of `address`, a part of the current source text, in the page file.
  void locate(std::string_view address, HtmlLink& link) const {
    const std::less<const char*> before;
    const char* const first = source_.text.data();
    if (placesFrom_ == HtmlLink::kNoPlace || before(address.data(), first) ||
        before(first + source_.text.size(), address.data() + address.size())) {
      return;
    }
    std::size_t begin = static_cast<std::size_t>(address.data() - first);
    std::size_t end = begin + address.size();
    if (source_.decoded) {
      begin = rawOffsets_[begin];
      end = rawOffsets_[end];
    }
    link.offset = placesFrom_ + static_cast<std::size_t>(source_.raw.data() - text_.data()) + begin;
    link.length = end - begin;
    link.characterReferences = source_.raw.substr(begin, end - begin) != address;
  }

  void report(std::string_view address, std::string_view tag, bool imagePlace) {
    // Browsers cut the white space and control characters around an address and drop
    // tabs and line breaks inside it.
    while (!address.empty() && static_cast<unsigned char>(address.front()) <= ' ') {
      address.remove_prefix(1);
    }
    while (!address.empty() && static_cast<unsigned char>(address.back()) <= ' ') {
      address.remove_suffix(1);
    }
    if (address.empty() || address.find('\0') != npos) return;
    // An inline data address holds the file itself: there is nothing to fetch.
    if (startsWithIgnoreAsciiCase(address, "data:")) return;
    HtmlLink link{{}, tag, imagePlace, base_};
    if (everyPlace_) locate(address, link);
    if (address.find_first_of("\t\n\r") != npos) {
      std::string& joined = joined_;
      joined.clear();
      for (char c : address) {
        if (c != '\t' && c != '\n' && c != '\r') joined += c;
      }
      address = joined;
    }
    // One element often names an address twice (src and srcset, src and data-src). Only
    // its first links are remembered, so a style of a million url()s stays linear.
    if (!everyPlace_) {
      for (const std::string& earlier : elementLinks_) {
        if (earlier == address) return;
      }
      if (elementLinks_.size() < kMaxRememberedLinks) elementLinks_.emplace_back(address);
    }
    link.address = address;
    found_(link);
  }

  void reportValue(std::string_view name, std::string_view tag, bool imagePlace) {
    if (const Attribute* a = attribute(name)) report(decoded(a->value), tag, imagePlace);
  }

  void reportSrcset(std::string_view value) {
    forEachSrcsetCandidate(decoded(value), [&](std::string_view url) { report(url, "IMG", true); });
  }

  // Every image attribute of the element in attribute order.
  void reportImageAttributes() {
    for (const Attribute& a : attributes_) {
      switch (imageAttributeKind(a.name)) {
        case ImageAttribute::kSingle: report(decoded(a.value), "IMG", true); break;
        case ImageAttribute::kSrcset: reportSrcset(a.value); break;
        case ImageAttribute::kNone: break;
      }
    }
  }

  void reportStyle() {
    if (const Attribute* style = attribute("style")) {
      forEachCssUrl(decoded(style->value),
                    [&](std::string_view url) { report(url, "BODY", false); });
    }
  }

  void imageElement() {
    const std::string_view name = tagName_;
    const bool imageSource =
        name == "img" || (name == "source" && pictureDepth_ > 0) ||
        (name == "input" && equalsIgnoreAsciiCase(attributeValue("type"), "image"));
    if (imageSource) {
      reportImageAttributes();
    } else if (name == "video") {
      reportValue("poster", "IMG", true);
      reportValue("data-poster", "IMG", true);
    } else if (name == "image" && svgDepth_ > 0) {
      reportValue("href", "IMG", true);
      reportValue("xlink:href", "IMG", true);
    } else if (name == "link") {
      const std::string rel(decoded(attributeValue("rel")));
      const bool imagePreload =
          listHolds(rel, "preload") && equalsIgnoreAsciiCase(attributeValue("as"), "image");
      if (relNamesIcon(rel) || imagePreload) {
        reportValue("href", "IMG", true);
        if (const Attribute* set = attribute("imagesrcset")) reportSrcset(set->value);
      }
    } else if (name == "meta") {
      const std::string_view property =
          attribute("property") != nullptr ? attributeValue("property") : attributeValue("name");
      if (isOneOf(property, kImageMetaNames)) reportValue("content", "IMG", true);
    }
  }

  void element() {
    const std::string_view name = tagName_;
    elementLinks_.clear();
    if (name == "base" && !baseSeen_ && attribute("href") != nullptr) {
      baseSeen_ = true;
      base_.assign(decoded(attributeValue("href")));
      // Rewriting a page's links also rewrites its base, which they resolve against.
      if (everyPlace_) report(decoded(attributeValue("href")), "BASE", false);
    }
    if (enabled(tagbits::kImage)) imageElement();
    if (enabled(tagbits::kAnchor) && (name == "a" || name == "area")) {
      reportValue("href", "HREF", false);
    }
    if (enabled(tagbits::kBody)) {
      if (isOneOf(name, kBackgroundElements)) reportValue("background", "BODY", true);
      reportStyle();
    }
    if (enabled(tagbits::kFrame) && (name == "frame" || name == "iframe")) {
      reportValue("src", "FRAME", false);
      reportValue("data-src", "FRAME", false);
    }
    if (!selfClosing_ && name == "svg") ++svgDepth_;
    if (!selfClosing_ && name == "picture") ++pictureDepth_;
  }

  std::string_view text_;
  PageCharset charset_;
  const AppSettings& settings_;
  const HtmlLinkFound& found_;
  const bool everyPlace_;
  const std::size_t placesFrom_;
  // The text addresses are being taken from: an attribute value as written (`raw`), decoded
  // into `text` when `decoded`, with rawOffsets_ mapping the bytes of `text` to `raw`.
  struct Source {
    std::string_view raw;
    std::string_view text;
    bool decoded = false;
  } source_;
  std::vector<std::size_t> rawOffsets_;
  std::size_t pos_ = 0;
  std::string tagName_;
  std::vector<Attribute> attributes_;
  bool selfClosing_ = false;
  int svgDepth_ = 0;
  int pictureDepth_ = 0;
  bool baseSeen_ = false;
  std::string base_;
  std::string decoded_;
  std::string joined_;
  std::vector<std::string> elementLinks_;
};

}  // namespace

namespace {

void scanPage(std::string_view content, const AppSettings& liveSettings, const HtmlLinkFound& found,
              bool everyPlace) {
  const CharsetOfPage charset = detectPageCharset(content);
  const bool converted = !charset.convertedUtf16.empty();
  const std::string_view text =
      converted ? std::string_view(charset.convertedUtf16) : content.substr(charset.bomLength);
  const std::size_t placesFrom = converted ? HtmlLink::kNoPlace : charset.bomLength;
  HtmlScan(text, charset.charset, liveSettings, found, everyPlace, placesFrom).run();
}

}  // namespace

void findHtmlLinks(std::string_view content, const AppSettings& liveSettings,
                   const HtmlLinkFound& found) {
  scanPage(content, liveSettings, found, false);
}

void findHtmlLinkPlaces(std::string_view content, const AppSettings& liveSettings,
                        const HtmlLinkFound& found) {
  scanPage(content, liveSettings, found, true);
}

}  // namespace murlo
