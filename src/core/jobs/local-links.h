// Pages that browse from disk: after a download job, the links of the pages it saved are
// rewritten so that a link to a file the job saved names that file by a relative path, and
// any other link names its full address on the server.
//
// Runs on the host's thread when the job has ended; each page is read, rewritten in memory
// and written back through a temporary file and a rename.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/link-rewriter.h"
#include "analysis/tag-link-spans.h"

namespace murlo {

// A file a download job saved: the address it came from and where it lies on disk.
struct SavedFile {
  std::string address;
  std::string path;
  // A page-type item (its links are rewritten).
  bool page = false;
};

// Pages larger than this are left as they are: the rewriting runs on the host's thread.
inline constexpr std::size_t kMaxConvertedPageBytes = std::size_t{32} << 20;

class LocalLinks {
 public:
  explicit LocalLinks(const std::vector<SavedFile>& saved);

  // What a link of the page saved at `pagePath` from `pageAddress` becomes: the relative path
  // from the page's folder to the saved file it names (percent-encoded, with the link's
  // fragment), or the full address of anything else. A directory's saved page is also found
  // by the directory address without its "/" and by the address of its "index.htm", and a
  // saved "index.htm" by its directory's address. Nothing when the link stays: an absolute
  // address of a file not saved, a fragment alone, another scheme.
  std::optional<std::string> replacement(std::string_view link, std::string_view pageAddress,
                                         std::string_view pagePath) const;
  // As above for a link found in the page, resolved against the page's base where it has
  // one; the base itself becomes the page's own file name.
  std::optional<std::string> replacement(const LinkSpan& span, std::string_view pageAddress,
                                         std::string_view pagePath) const;

 private:
  const std::string* savedPath(const std::string& address) const;

  std::unordered_map<std::string, std::string> pathByAddress_;
};

// Rewrites the links `find` finds in every page of `saved` (each path once) and keeps its
// modification time. Returns the paths of the pages that could not be read or written back;
// a page larger than kMaxConvertedPageBytes is left alone without counting as a failure.
std::vector<std::string> convertSavedPages(const std::vector<SavedFile>& saved,
                                           const LinkSpanFinder& find = findTagLinkSpans);

}  // namespace murlo
