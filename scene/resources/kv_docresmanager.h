// The document resource manager: one per loaded document.
#pragma once

#include <memory>

#include "scene/document/kv_iof_virtual.h"
#include "scene/resources/mesh_buffers.h"
#include "scene/resources/texture_sequence.h"

class KV_ImageFileLink;
class KV_MeshFile;

class KV_DocResManager {
public:
    // The linked mesh; empty until the manager keeps the document's meshes.
    const MeshBuffers& GetMesh(const KV_MeshFile& link, UINT vertexSize);
    // The linked picture; no frames until the manager keeps the document's
    // pictures.
    const TextureSequence& GetImage(const KV_ImageFileLink& link);
    // Device objects of the default pool, around a device reset; none kept
    // yet.
    void RestoreDeviceObjects() {}
    void ReleaseDeviceObjects() {}

private:
    MeshBuffers m_emptyMesh;
    TextureSequence m_noImage;
};

// The manager of the unit being updated or drawn; not owned.
extern KV_DocResManager* g_currentDocResManager;

// The manager's record: its class name is read and not compared.
std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive);
