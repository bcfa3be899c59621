// A textured generator along a stored path of points.
#pragma once

#include <vector>

#include "particles/generators/tex_particle_generator.h"
#include "scene/model/path_point.h"

class KV_PathGenerator : public KV_TexParticleGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }

    // Version 1, read and ignored: the points, then the textured record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    std::vector<PathPoint> path;
};
