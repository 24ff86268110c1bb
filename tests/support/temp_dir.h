// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velk::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Full path of `name` inside the folder, as a string for the C interface.
    std::string file(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Path of a shared compliance vector (NAME.bit / NAME.pcm), or "" when the folder is missing.
std::string vectorPath(const std::string& name);

}  // namespace velk::test
