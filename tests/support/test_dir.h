// A fresh temporary directory for one test, removed again when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace zrv::test {

class TestDir {
 public:
  TestDir();
  ~TestDir();
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Writes bytes to a file in the directory and returns its path.
  std::filesystem::path write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// The build directory (ZRV_BINARY_DIR of the environment or of the build).
std::string binaryDir();
// The source directory (ZRV_SOURCE_DIR of the environment or of the build).
std::string sourceDir();
// A whole file's bytes (empty when it cannot be read).
std::string readAll(const std::filesystem::path& file);
// test-artifacts/ of the build directory, where screenshots and logbooks are kept.
std::filesystem::path artifactDir();

}  // namespace zrv::test
