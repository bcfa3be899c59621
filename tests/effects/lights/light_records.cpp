#include "effects/lights/light_records.h"

#include "scene/document/writer/kv_iof_w.h"

namespace lights_test {

Bytes PlainLightPart() { return Frame(u"KV_2D_Light", 1); }

Bytes Link(std::u16string_view path, DWORD stamp) { return Join({ShortString(path), Le32(stamp), Le32(0)}); }

Bytes Writing(const KV_2D_Light& light)
{
    KV_IOF_W writer;
    light.Write(writer);
    return writer.Bytes();
}

} // namespace lights_test
