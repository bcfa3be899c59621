// A mesh with its texture, drawn once for every instance frame of a 3D
// object.
#pragma once

#include <list>

#include "scene/render/quad_batch.h"

class KV_FileLink3;
class KV_MeshFile;
class MeshBuffers;

class MeshNode : public QuadBatchChunk {
public:
    // The linked picture's current frame and the linked mesh, both of the
    // current document resource manager.
    void BindResources(const KV_FileLink3& image, const KV_MeshFile& mesh);
    // The linked mesh of the current document resource manager.
    void SetMesh(const KV_MeshFile& link);
    // Shares the loaded mesh's buffers and takes its counts and sphere.
    void TakeMesh(const MeshBuffers& mesh);

    // Not owned.
    std::list<KV_Frame*> instances;
};
