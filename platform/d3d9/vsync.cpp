#include "d3d9/vsync.h"

namespace platform::d3d9 {
namespace {

const void* g_owner = nullptr;  // the devices live on the thread of the message loop

}  // namespace

bool ClaimVsync(const void* owner) {
    if (g_owner == nullptr) g_owner = owner;
    return g_owner == owner;
}

void ReleaseVsync(const void* owner) {
    if (g_owner == owner) g_owner = nullptr;
}

}  // namespace platform::d3d9
