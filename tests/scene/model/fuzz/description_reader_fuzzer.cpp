// libFuzzer target: any bytes, read as a time line record and as a
// description found through the class registry. Either reads or fails the
// archive; what is read is then asked for its showing.
#include <cstddef>
#include <cstdint>

#include "scene/document/kv_iof_r.h"
#include "scene/document/reader_registry.h"
#include "scene/model/time_line_control.h"
#include "test_description.h"

namespace {

const RegisterReader<TestDescription, KV_ABObj_Constructor> registration(L"TestDescription");

void AskForTheShowing(const KV_TimeLineControl& timeLine) {
    for (float t : {-1.0f, 0.0f, 1.5f, 100.0f}) {
        KV_TimeLineControl probe(timeLine);
        probe.intervalTime = t;
        (void)probe.GetOpacity();
        (void)probe.GetPhase();
        (void)probe.GetLength();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        ResourceBuffer buffer(data, size);
        KV_IOF_R<ResourceBuffer> reader(buffer);
        KV_TimeLineControl timeLine;
        timeLine.ReadRecord(reader);
        AskForTheShowing(timeLine);
    }
    {
        ResourceBuffer buffer(data, size);
        KV_IOF_R<ResourceBuffer> reader(buffer);
        if (auto description = KV_ABObj_Constructor::ReadNew(reader)) {
            AskForTheShowing(description->TimeLine());
            (void)description->CreateObject();
        }
    }
    return 0;
}
