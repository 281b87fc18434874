// Test helper: files written into a fresh temporary folder, removed with it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillex::test {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillex-parser-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // Writes `bytes` to `name` in the folder and returns the file's path.
    std::string write(const std::string& name, std::string_view bytes) const {
        const std::string file = path_ + "/" + name;
        std::FILE* stream = std::fopen(file.c_str(), "wb");
        EXPECT_NE(stream, nullptr) << file;
        if (stream) {
            std::fwrite(bytes.data(), 1, bytes.size(), stream);
            std::fclose(stream);
        }
        return file;
    }
    template <class ByteVector>
    std::string writeBytes(const std::string& name, const ByteVector& bytes) const {
        return write(name,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace quillex::test
