#include "gdi/device_context.h"

#include <map>
#include <memory>
#include <mutex>

#include <windows.h>

#include "gdi/gdi_objects.h"

namespace platform::gdi {

namespace {

struct OpenContexts {
    std::mutex mutex;
    std::map<uintptr_t, std::unique_ptr<DeviceContext>> contexts;
    uintptr_t next = 0x1000;
};

OpenContexts& Contexts() {
    static OpenContexts open;
    return open;
}

}  // namespace

DeviceContext::DeviceContext(Canvas& target)
    : canvas(target),
      clip(RECT{0, 0, target.Width(), target.Height()}),
      brush(GetStockObject(WHITE_BRUSH)),
      font(GetStockObject(SYSTEM_FONT)),
      textColor(RGB(0, 0, 0)),
      backgroundColor(RGB(255, 255, 255)),
      backgroundMode(OPAQUE) {}

DeviceContext* LookUpDeviceContext(HDC dc) {
    auto& open = Contexts();
    std::lock_guard lock(open.mutex);
    const auto found = open.contexts.find(reinterpret_cast<uintptr_t>(dc));
    return found == open.contexts.end() ? nullptr : found->second.get();
}

bool IsSelectedInAnyContext(HGDIOBJ object) {
    auto& open = Contexts();
    std::lock_guard lock(open.mutex);
    for (const auto& [handle, context] : open.contexts) {
        if (context->brush == object || context->font == object) return true;
    }
    return false;
}

HDC OpenDeviceContext(Canvas& canvas) {
    auto& open = Contexts();
    std::lock_guard lock(open.mutex);
    const uintptr_t handle = open.next++;
    open.contexts.emplace(handle, std::make_unique<DeviceContext>(canvas));
    return reinterpret_cast<HDC>(handle);
}

void CloseDeviceContext(HDC dc) {
    auto& open = Contexts();
    std::lock_guard lock(open.mutex);
    open.contexts.erase(reinterpret_cast<uintptr_t>(dc));
}

}  // namespace platform::gdi

using platform::gdi::LookUpDeviceContext;

extern "C" HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    auto* context = LookUpDeviceContext(dc);
    const auto selected = platform::gdi::LookUpObject(object);
    if (!context || !selected) return nullptr;
    HGDIOBJ& slot = selected->kind == platform::gdi::GdiObject::Kind::Brush ? context->brush : context->font;
    HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

extern "C" COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
    auto* context = LookUpDeviceContext(dc);
    if (!context) return CLR_INVALID;
    const COLORREF previous = context->textColor;
    context->textColor = color & 0x00FFFFFFu;
    return previous;
}

extern "C" int WINAPI SetBkMode(HDC dc, int mode) {
    auto* context = LookUpDeviceContext(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = context->backgroundMode;
    context->backgroundMode = mode;
    return previous;
}

extern "C" int WINAPI ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    auto* context = LookUpDeviceContext(dc);
    if (!context) return ERROR;
    context->clip.Exclude({std::min(left, right), std::min(top, bottom), std::max(left, right),
                           std::max(top, bottom)});
    return context->clip.Kind();
}
