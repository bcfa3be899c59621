// Meshes from .x data, into position-normal-texture vertices and 16-bit
// indices in managed buffers of the current device. A mesh that cannot be
// loaded is left empty (no buffers, counts 0). Only the 32-byte vertices of
// that layout can be copied: any other vertex size loads nothing.
#pragma once

#include <windows.h>

#include "scene/document/kv_string.h"
#include "scene/resources/mesh_buffers.h"

void LoadMeshFromMemory(const BYTE* bytes, UINT size, UINT vertexSize, MeshBuffers& mesh);
// Resource "DDS" id of a module (null: the program's own).
void LoadMeshFromResource(HMODULE module, int id, UINT vertexSize, MeshBuffers& mesh);
void LoadMeshFromFile(const kv_string& path, UINT vertexSize, MeshBuffers& mesh);
