// COM initialisation, counted per thread as on Windows.
#include <objbase.h>

namespace {

struct Apartment {
    unsigned count = 0;
    DWORD model = COINIT_MULTITHREADED;
};

thread_local Apartment t_apartment;

}  // namespace

extern "C" {

HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit) {
    if (reserved != nullptr) return E_INVALIDARG;
    const DWORD model = coInit & COINIT_APARTMENTTHREADED;
    if (t_apartment.count > 0 && t_apartment.model != model) return RPC_E_CHANGED_MODE;
    t_apartment.model = model;
    return ++t_apartment.count == 1 ? S_OK : S_FALSE;
}

HRESULT WINAPI CoInitialize(LPVOID reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize() {
    if (t_apartment.count > 0) --t_apartment.count;
}

}  // extern "C"
