// murlo-cli-docs: writes the manual page and the bash completion of murlo-cli into a
// folder, from the table its help is printed from. Run by the build; not installed.
//   murlo-cli-docs OUT_DIR   writes OUT_DIR/murlo-cli.1 and OUT_DIR/murlo-cli.bash
#include <cstdio>
#include <fstream>
#include <string>

#include "bash-completion.h"
#include "man-page.h"

namespace {

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "murlo-cli-docs: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: murlo-cli-docs OUT_DIR\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  const bool written = writeFile(dir + "/murlo-cli.1", murlo::cli::manPage(MURLO_VERSION)) &&
                       writeFile(dir + "/murlo-cli.bash", murlo::cli::bashCompletion());
  return written ? 0 : 1;
}
