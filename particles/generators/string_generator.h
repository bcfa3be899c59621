// A textured generator whose geometry is a line between two end points.
#pragma once

#include "particles/generators/tex_particle_generator.h"

class KV_StringGenerator : public KV_TexParticleGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }

    // Version 1, read and ignored: the end points, then the textured record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // Pixels: the root and the tip.
    MediaParamT<D3DXVECTOR3> endPoint1;
    MediaParamT<D3DXVECTOR3> endPoint2;
};
