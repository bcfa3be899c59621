#include "platform/registry/registry_fixture.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace registry_test {
namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

void RestoreEnvironment(const char* name, const std::optional<std::string>& value) {
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

int Spawn(const std::vector<std::string>& arguments, int outputFd) {
    std::vector<std::string> all{REGISTRY_HELPER};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0) posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    pid_t processId = -1;
    const int error = posix_spawn(&processId, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? processId : -1;
}

}  // namespace

void RegistryFileTest::SetUp() {
    savedRegistry_ = Environment("SAVER_REGISTRY");
    savedConfigHome_ = Environment("XDG_CONFIG_HOME");
    std::string pattern = (std::filesystem::temp_directory_path() / "registry-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    UseRegistryFile(file());
}

void RegistryFileTest::TearDown() {
    RestoreEnvironment("SAVER_REGISTRY", savedRegistry_);
    RestoreEnvironment("XDG_CONFIG_HOME", savedConfigHome_);
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

std::string RegistryFileTest::FileText() const {
    std::ifstream in(file(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RegistryFileTest::WriteFileText(const std::string& text) const {
    std::ofstream(file(), std::ios::binary) << text;
}

void RegistryFileTest::UseRegistryFile(const std::filesystem::path& path) const {
    setenv("SAVER_REGISTRY", path.c_str(), 1);
}

void RegistryFileTest::CreateKey(const wchar_t* subKey, ScopedKey& key, DWORD* disposition) const {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, key.out(), disposition),
              ERROR_SUCCESS);
}

void RegistryFileTest::SetValue(const wchar_t* subKey, const wchar_t* name, DWORD type,
                                const std::vector<BYTE>& data) const {
    ScopedKey key;
    CreateKey(subKey, key);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

void RegistryFileTest::SetDword(const wchar_t* subKey, const wchar_t* name, DWORD number) const {
    SetValue(subKey, name, REG_DWORD, DwordBytes(number));
}

std::optional<std::pair<DWORD, std::vector<BYTE>>> RegistryFileTest::QueryValue(
    const wchar_t* subKey, const wchar_t* name) const {
    ScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, key.out()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(size);
    return std::pair{type, data};
}

std::vector<BYTE> DwordBytes(DWORD number) {
    std::vector<BYTE> bytes(sizeof number);
    std::memcpy(bytes.data(), &number, sizeof number);
    return bytes;
}

std::vector<BYTE> StringBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

HelperRun RunHelper(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const int processId = Spawn(arguments, pipeFds[1]);
    close(pipeFds[1]);
    HelperRun run;
    char chunk[4096];
    for (ssize_t count; (count = read(pipeFds[0], chunk, sizeof chunk)) > 0;) run.output.append(chunk, count);
    close(pipeFds[0]);
    run.exitCode = WaitForHelper(processId);
    return run;
}

int StartHelper(const std::vector<std::string>& arguments) { return Spawn(arguments, -1); }

int WaitForHelper(int processId) {
    int status = 0;
    if (processId < 0 || waitpid(processId, &status, 0) != processId) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace registry_test
