// Feeds arbitrary bytes to the list-file reader as a file, and writes back what it read.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "items/item-list.h"
#include "items/list-file.h"

namespace {

// The private folder the inputs are written to, removed with its files when the run ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    char tmpl[] = "/tmp/murlo-fuzz-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) std::abort();
    path_ = tmpl;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFolder scratch;
  const std::string& dir = scratch.path();
  const std::string path = dir + "/input.mrl";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  murlo::ItemList list;
  const murlo::ListReadResult result = murlo::ReadList(list, path);
  if (result.rowsAdded != list.count()) std::abort();
  // Whatever was read must survive a write and a second read unchanged.
  if (list.count() > 0) {
    const std::string copy = dir + "/copy.mrl";
    if (!murlo::WriteList(list, copy)) std::abort();
    murlo::ItemList again;
    if (!murlo::ReadList(again, copy).ok() || again.count() != list.count()) std::abort();
    for (int row = 0; row < list.count(); ++row) {
      for (int col = 0; col < murlo::kColumnCount; ++col) {
        if (again.text(row, col) != list.text(row, col)) std::abort();
      }
    }
  }
  return 0;
}
