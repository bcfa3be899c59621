#include "gdi/gdi_objects.h"

#include <map>
#include <mutex>

#include <windows.h>

#include "gdi/device_context.h"

namespace platform::gdi {

namespace {

// Handle values: stock objects and system-colour brushes are fixed, so
// they never collide with the small (COLOR_xxx + 1) brush values or with
// created objects.
constexpr uintptr_t kStockBase = 0x100;
constexpr uintptr_t kSystemBrushBase = 0x200;
constexpr uintptr_t kFirstCreated = 0x10000;
constexpr int kSystemColorCount = 31;

// The classic Windows fonts, mapped onto the installed sans font: the
// bold System font with 16-pixel cells, and the 8-point dialog font.
constexpr FontSpec kSystemFont{16, true};
constexpr FontSpec kDefaultGuiFont{-11, false};

std::optional<GdiObject> StockObject(int index) {
    switch (index) {
        case WHITE_BRUSH: return GdiObject{GdiObject::Kind::Brush, RGB(255, 255, 255)};
        case BLACK_BRUSH: return GdiObject{GdiObject::Kind::Brush, RGB(0, 0, 0)};
        case SYSTEM_FONT: return GdiObject{GdiObject::Kind::Font, 0, kSystemFont};
        case DEFAULT_GUI_FONT: return GdiObject{GdiObject::Kind::Font, 0, kDefaultGuiFont};
        default: return std::nullopt;
    }
}

HGDIOBJ ToHandle(uintptr_t value) { return reinterpret_cast<HGDIOBJ>(value); }
uintptr_t FromHandle(HGDIOBJ object) { return reinterpret_cast<uintptr_t>(object); }

struct CreatedObjects {
    std::mutex mutex;
    std::map<uintptr_t, GdiObject> objects;
    uintptr_t next = kFirstCreated;
};

CreatedObjects& Created() {
    static CreatedObjects created;
    return created;
}

}  // namespace

std::optional<GdiObject> LookUpObject(HGDIOBJ object) {
    const uintptr_t value = FromHandle(object);
    if (value >= kStockBase && value < kSystemBrushBase) return StockObject(static_cast<int>(value - kStockBase));
    if (value >= kSystemBrushBase && value < kSystemBrushBase + kSystemColorCount) {
        return GdiObject{GdiObject::Kind::Brush, GetSysColor(static_cast<int>(value - kSystemBrushBase))};
    }
    auto& created = Created();
    std::lock_guard lock(created.mutex);
    const auto found = created.objects.find(value);
    if (found == created.objects.end()) return std::nullopt;
    return found->second;
}

std::optional<COLORREF> BrushColor(HBRUSH brush) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= kSystemColorCount) return GetSysColor(static_cast<int>(value - 1));
    const auto object = LookUpObject(brush);
    if (!object || object->kind != GdiObject::Kind::Brush) return std::nullopt;
    return object->color;
}

}  // namespace platform::gdi

using platform::gdi::GdiObject;

extern "C" HGDIOBJ WINAPI GetStockObject(int object) {
    if (!platform::gdi::StockObject(object)) return nullptr;
    return platform::gdi::ToHandle(platform::gdi::kStockBase + static_cast<uintptr_t>(object));
}

extern "C" HBRUSH WINAPI GetSysColorBrush(int index) {
    if (index < 0 || index >= platform::gdi::kSystemColorCount) return nullptr;
    return reinterpret_cast<HBRUSH>(platform::gdi::kSystemBrushBase + static_cast<uintptr_t>(index));
}

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto& created = platform::gdi::Created();
    std::lock_guard lock(created.mutex);
    const uintptr_t handle = created.next++;
    created.objects.emplace(handle, GdiObject{GdiObject::Kind::Brush, color & 0x00FFFFFFu});
    return reinterpret_cast<HBRUSH>(handle);
}

// Deleting a stock or system object does nothing and succeeds; an object
// still selected into a device context stays.
extern "C" BOOL WINAPI DeleteObject(HGDIOBJ object) {
    const uintptr_t value = platform::gdi::FromHandle(object);
    if (value < platform::gdi::kFirstCreated) return platform::gdi::LookUpObject(object) ? TRUE : FALSE;
    if (platform::gdi::IsSelectedInAnyContext(object)) return FALSE;
    auto& created = platform::gdi::Created();
    std::lock_guard lock(created.mutex);
    return created.objects.erase(value) == 1 ? TRUE : FALSE;
}
