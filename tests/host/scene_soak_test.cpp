// A long run on the controlled clock: two units, a few hundred slide
// changes and twenty device resets leave the live Direct3D objects and the
// heap where they were after the first cycle.
#include <malloc.h>
#include <stdlib.h>

#include <platform/sim_d3d.h>

#include "host/scene_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator replaces malloc's: it answers for the heap.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace host_test {
namespace {

// The software rasteriser's worker threads take and give back memory as
// they please; drawing on the host thread alone keeps the heap comparable.
const bool kRasterOnOneThread = setenv("LP_NUM_THREADS", "0", 1) == 0;

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// What the application holds on the device besides the host's reference.
ULONG DeviceReferences(IDirect3DDevice9* device) {
    device->AddRef();
    return device->Release();
}

using SceneSoakTest = SceneTest;

TEST_F(SceneSoakTest, SlideChangesAndResetsLeaveNothingBehind) {
    ASSERT_TRUE(kRasterOnOneThread);
    // Each slide ends after a second of fading out: a change every other frame.
    UseDocument(PictureDocument({{0xFF0000, 0, 0, 1}, {0x00FF00, 0, 0, 1}, {0x0000FF, 0, 0, 1}}, TracksNotFound(2)));
    auto saver = StartFullScreen({{640, 400}, {640, 400}});
    int slideChanges = 0;
    const KV_SlideContainer* shown = nullptr;
    const auto frame = [&](bool reset) {
        if (reset) {
            for (UINT adapter = 0; adapter < 2; ++adapter)
                platform::sim::ScheduleDeviceEvent(
                    adapter, platform::sim::DeviceEvent{platform::sim::DeviceEvent::Kind::NeedsReset, 0});
        }
        clock_.AdvanceMilliseconds(550);
        saver->DrawAllScreens();
        saver->drawnWith.clear();
        const KV_SlideContainer* current = saver->scenes_[0].root ? saver->scenes_[0].root->CurrentSlide() : nullptr;
        if (shown && current != shown) ++slideChanges;
        shown = current;
    };
    // The first cycle: splash, start, a reset while each slide is on (the
    // driver keeps what it compiles for each), then every slide entered
    // again, which gives each light its render targets back.
    for (int i = 0; i < 20; ++i) frame(i == 5 || i == 7 || i == 9);
    const ULONG references[2] = {DeviceReferences(saver->units_[0].device.Get()),
                                 DeviceReferences(saver->units_[1].device.Get())};
    const size_t heap = HeapInUse();

    for (int i = 1; i <= 600; ++i) frame(i % 30 == 15);
    ASSERT_FALSE(saver->errorMode_);
    EXPECT_GE(slideChanges, 300);
    EXPECT_EQ(DeviceReferences(saver->units_[0].device.Get()), references[0]);
    EXPECT_EQ(DeviceReferences(saver->units_[1].device.Get()), references[1]);
    // Room for the allocator's own bookkeeping, far below one lost picture.
    EXPECT_LT(HeapInUse(), heap + 16 * 1024);
}

}  // namespace
}  // namespace host_test
