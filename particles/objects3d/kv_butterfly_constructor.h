// Butterflies flying about inside the object's rectangle: a body and two
// beating wings each.
#pragma once

#include "particles/objects3d/kv_3d_obj_ctrl.h"
#include "scene/model/scaled_param.h"

class KV_ButterflyConstructor : public KV_3D_Obj_Ctrl {
public:
    KV_ButterflyConstructor();
    KV_ButterflyConstructor(const KV_ButterflyConstructor& other) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void BuildMeshes(std::vector<MeshNode>& meshes) override;
    FrameHierarchy CreateInstance() override;
    std::unique_ptr<KV_3D_Obj_Ctrl> Clone() const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    KV_ImageFileLink bodyTexture;
    KV_MeshFile bodyMesh;
    // Stored and copied; nothing reads them.
    UINTSclaleTo<float> firstScaled{50};
    UINTSclaleTo<float> secondScaled{50};
    float wingScale = 1.0f;
};
