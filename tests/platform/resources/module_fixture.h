// Resource modules on disk for the tests: a private folder named by
// SAVER_MODULE_PATH for the life of the fixture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace test {

class ModuleFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteModule(const std::string& fileName, const std::vector<uint8_t>& bytes) const;
    std::filesystem::path Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// The bytes of a file the build wrote.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace test
