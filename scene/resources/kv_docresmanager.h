// The document resource manager: one per loaded document.
#pragma once

#include <memory>

#include "scene/document/kv_iof_virtual.h"
#include "scene/resources/mesh_buffers.h"

class KV_MeshFile;

class KV_DocResManager {
public:
    // The linked mesh; empty until the manager keeps the document's meshes.
    const MeshBuffers& GetMesh(const KV_MeshFile& link, UINT vertexSize);

private:
    MeshBuffers m_emptyMesh;
};

// The manager of the unit being updated or drawn; not owned.
extern KV_DocResManager* g_currentDocResManager;

// The manager's record: its class name is read and not compared.
std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive);
