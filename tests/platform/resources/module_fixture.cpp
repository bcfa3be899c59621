#include "module_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace test {

void ModuleFolderTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "saver-modules-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    setenv("SAVER_MODULE_PATH", folder_.c_str(), 1);
}

void ModuleFolderTest::TearDown() {
    unsetenv("SAVER_MODULE_PATH");
    std::filesystem::remove_all(folder_);
}

void ModuleFolderTest::WriteModule(const std::string& fileName, const std::vector<uint8_t>& bytes) const {
    std::ofstream file(folder_ / fileName, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good());
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace test
