#include "support/test_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zrv::test {

TestDir::TestDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "zrvtest-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TestDir::~TestDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TestDir::write(const std::string& name, const std::string& bytes) const {
  const auto p = path_ / name;
  std::ofstream(p, std::ios::binary) << bytes;
  return p;
}

std::string TestDir::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string binaryDir() {
  const char* env = std::getenv("ZRV_BINARY_DIR");
  return env ? env : ZRV_BINARY_DIR;
}

std::string sourceDir() {
  const char* env = std::getenv("ZRV_SOURCE_DIR");
  return env ? env : ZRV_SOURCE_DIR;
}

std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::filesystem::path artifactDir() {
  std::filesystem::path dir = std::filesystem::path(binaryDir()) / "test-artifacts";
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace zrv::test
