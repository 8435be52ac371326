#include "sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace murlo::test {

Sandbox::Sandbox() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "murlo-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = tmpl;
}

Sandbox::~Sandbox() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string Sandbox::write(std::string_view name, std::string_view data) const {
  const std::string p = path(name);
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  return p;
}

std::string Sandbox::read(std::string_view name) const { return readFile(path(name)); }

bool Sandbox::exists(std::string_view name) const { return std::filesystem::exists(path(name)); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string bytePattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i % 251);
  return data;
}

}  // namespace murlo::test
