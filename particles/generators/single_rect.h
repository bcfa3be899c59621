// One textured quad on four stored corners, written once at restore: the
// base of the plant and the static animation.
#pragma once

#include "particles/generators/static_generator.h"
#include "scene/model/media_quad.h"

class KV_SingleRectGN : public KV_StaticGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // One batch of one quad.
    void RestoreResources(KV_ParticlesObj& object) override;

    // Version 2; version 1 has two floats after the corners, read and
    // ignored. Then the static generator's record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // Corners 1, 0, 3, 2 as the strip, mirrored as the flags say, in the
    // first colour.
    void FillQuad(KV_ParticlesObj& object);

    MediaQuad quad;
};
