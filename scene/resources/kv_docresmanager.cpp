#include "scene/resources/kv_docresmanager.h"

#include "scene/document/record.h"

KV_DocResManager* g_currentDocResManager = nullptr;

const MeshBuffers& KV_DocResManager::GetMesh(const KV_MeshFile&, UINT) { return m_emptyMesh; }

const TextureSequence& KV_DocResManager::GetImage(const KV_ImageFileLink&) { return m_noImage; }

std::unique_ptr<KV_DocResManager> ReadDocResManagerRecord(KV_IOF_Virtual& archive) {
    ReadRecordVersion(archive);
    return std::make_unique<KV_DocResManager>();
}
