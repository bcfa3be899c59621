// libFuzzer target: any bytes as a registry file. Reading never fails as a
// whole; a value set afterwards reads back, and every line the change did
// not touch is written back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <winreg.h>

#include "registry/reg_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using platform::registry::RegDocument;
    using platform::registry::RegValue;
    RegDocument document(std::string(reinterpret_cast<const char*>(data), size));
    constexpr std::wstring_view kKey = L"HKEY_CURRENT_USER\\Software\\Fuzz";
    const RegValue value{REG_BINARY, {1, 2, 3}};
    if (!document.SetValue(kKey, L"set", value)) std::abort();
    const std::string written = document.Format();

    const RegDocument reread(written);
    if (reread.FindValue(kKey, L"set") != value) std::abort();
    // Setting the same value again changes nothing more.
    RegDocument again(written);
    if (again.SetValue(kKey, L"set", value) != false) std::abort();
    if (again.Format() != written) std::abort();
    return 0;
}
