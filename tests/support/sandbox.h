// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace murlo::test {

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& dir() const { return dir_; }
  std::string path(std::string_view name) const { return dir_ + "/" + std::string(name); }
  std::string write(std::string_view name, std::string_view data) const;
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;

 private:
  std::string dir_;
};

// The bytes of a file, or an empty string when it cannot be read.
std::string readFile(const std::string& path);

// A body of `size` bytes in which each byte is its offset modulo 251, so that a shifted,
// repeated or spliced copy never equals it.
std::string bytePattern(std::size_t size);

}  // namespace murlo::test
