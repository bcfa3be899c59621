// A mesh with its texture, drawn once for every instance frame of a 3D
// object.
#pragma once

#include <list>

#include "scene/render/quad_batch.h"

class KV_MeshFile;

class MeshNode : public QuadBatchChunk {
public:
    // The linked mesh of the current document resource manager.
    void SetMesh(const KV_MeshFile& link);

    // Not owned.
    std::list<KV_Frame*> instances;
};
