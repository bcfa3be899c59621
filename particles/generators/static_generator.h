// The two thin bases of the textured generators: a fixed centre, and a
// rectangle region.
#pragma once

#include "particles/generators/tex_particle_generator.h"
#include "scene/model/media_quad.h"

class KV_StaticGenerator : public KV_TexParticleGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // Version 1, read and ignored: the centre, then the textured record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    MediaParamT<D3DXVECTOR3> centre;
};

class KV_ParticleRctRgnGenerator : public KV_TexParticleGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // Version 1, read and ignored: the region, then the textured record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // Corner 0 top-left, corner 3 bottom-right.
    MediaQuad region;
};
