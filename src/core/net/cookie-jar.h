// CookieJar: the cookies of one job, in the Netscape cookies.txt format that browsers'
// export add-ons write. A job starts with the cookies of the file the settings name; the
// cookies servers set during the job are kept in the jar for the later requests of the same
// job. Nothing is written back to the file; save() writes the jar where the user asks.
//
// The lines are handed to libcurl's cookie engine, which decides which cookies go with a
// request (host, path, secure, expiry). Any thread: the jar has its own lock.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murlo {

class CookieJar {
 public:
  // The result of reading a cookie file: the jar, or why the file cannot be used (UTF-8,
  // naming the file and, for a malformed line, its number).
  struct Loaded {
    std::shared_ptr<CookieJar> jar;
    std::string error;
  };
  // Reads a cookie file whole; a missing, unreadable, oversized or malformed file is an error.
  static Loaded load(const std::string& path);
  // Reads the text of a cookie file; `path` only names it in an error.
  static Loaded parse(std::string_view text, const std::string& path);

  // The cookie lines, one cookie each, in the file's format.
  std::vector<std::string> lines() const;
  // Takes the cookies libcurl holds after an answer as the jar's cookies.
  void replace(std::vector<std::string> lines);
  // The jar as a cookie file.
  std::string fileText() const;
  // Writes fileText() to `path` (replaced whole, never half-written); false on failure.
  bool save(const std::string& path) const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

// Why one line of a cookie file is not a cookie, or nothing when it is one (or a comment or
// a blank line, which `isCookie` then tells apart).
std::optional<std::string> cookieLineProblem(std::string_view line, bool& isCookie);

}  // namespace murlo
