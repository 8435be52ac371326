// An INI file with the semantics of the Windows profile functions: section and key names
// are case-insensitive, a missing key gives the caller's default, integers are read from
// their leading digits (0 when there are none) and written as decimal text. Everything the
// program does not touch -- other sections, other keys, comments -- is kept as it was when
// the file is written back. Lines end in CRLF when written; LF alone is accepted on reading.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regular-file.h"

namespace murlo {

class IniFile {
 public:
  // Reads the file; a missing file gives an empty profile. So does a file that is not a
  // regular file (a folder, a FIFO, a device), is larger than kMaxIniFileBytes or cannot be
  // read: readStatus() tells, and such a profile is never saved, as that would replace the
  // file's contents with the defaults.
  static IniFile load(const std::string& path);
  FileReadStatus readStatus() const { return readStatus_; }
  // Why the file at `path` that this profile was loaded from gave the defaults although it
  // is there (UTF-8); empty when it was read or is missing.
  std::string readProblem(const std::string& path) const;

  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;
  int getInt(std::string_view section, std::string_view key, int defaultValue) const;

  void setString(std::string_view section, std::string_view key, std::string_view value);
  void setInt(std::string_view section, std::string_view key, int value);

  // Writes the whole profile to a temporary file beside `path` and renames it over `path`,
  // so a crash or a full disk never leaves a half-written file. Returns false on failure,
  // leaving any earlier file untouched, and for a profile whose file could not be read.
  bool save(const std::string& path) const;

  std::string text() const;

 private:
  struct Line {
    std::string raw;      // the line as read, without its line end
    std::string section;  // for a section header: its name
    std::string key;      // for a key line: its name (trimmed)
    bool isSection = false;
    bool isKey = false;
  };

  // Index of the section header line, or -1.
  int findSection(std::string_view section) const;
  // Index of the key line inside the section starting at `header`, or -1.
  int findKey(int header, std::string_view key) const;
  // One past the last line that belongs to the section starting at `header`.
  int sectionEnd(int header) const;

  static Line parseLine(std::string raw);

  std::vector<Line> lines_;
  FileReadStatus readStatus_ = FileReadStatus::kMissing;
};

// The largest settings file read: far beyond any the program writes, small enough that a
// wrong file cannot exhaust memory.
inline constexpr std::size_t kMaxIniFileBytes = 1024 * 1024;

// Reads a whole integer the way the profile functions do: optional blanks, an optional
// sign, then decimal digits; anything else ends the number. No digits give 0.
int parseProfileInt(std::string_view text);

}  // namespace murlo
