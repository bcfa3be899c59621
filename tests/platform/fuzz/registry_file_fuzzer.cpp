// libFuzzer target: any bytes as a registry file. Reading never fails as a
// whole; a value set afterwards reads back, and every line the change did
// not touch is written back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <winreg.h>

#include "registry/reg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using platform::registry::RegDocument;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RegDocument document = RegDocument::Parse(bytes);
    constexpr std::wstring_view kKey = L"HKEY_CURRENT_USER\\Software\\Fuzz";
    const std::vector<BYTE> value{1, 2, 3};
    if (!document.SetValue(kKey, L"set", REG_BINARY, value)) std::abort();
    const std::string written = document.Format();

    const RegDocument reread = RegDocument::Parse(written);
    const auto* found = reread.data().FindValue(kKey, L"set");
    if (found == nullptr || found->type != REG_BINARY || found->data != value) std::abort();
    // Setting the same value again changes nothing more.
    RegDocument again = RegDocument::Parse(written);
    if (!again.SetValue(kKey, L"set", REG_BINARY, value)) std::abort();
    if (again.Format() != written) std::abort();
    return 0;
}
