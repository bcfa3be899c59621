// A clock whose hands show the local time: a dial and two hands drawn from
// one square mesh, placed by a pixel rectangle around its centre.
#pragma once

#include "particles/objects3d/kv_3d_obj_ctrl.h"
#include "scene/model/bound_control_list.h"
#include "scene/model/media_rectangle.h"

class KV_ClockConstructor : public KV_3D_Obj_Ctrl {
public:
    // Centred on the current back buffer.
    KV_ClockConstructor();
    KV_ClockConstructor(const KV_ClockConstructor& other);
    ~KV_ClockConstructor() override;

    void Write(KV_IOF_Virtual& archive) const override;
    ScreenQuad GetScreenQuad() const override;
    bool HitTest(float x, float y) const override;
    void BuildMeshes(std::vector<MeshNode>& meshes) override;
    FrameHierarchy CreateInstance() override;
    bool HasRectPlacement() const override;
    std::unique_ptr<KV_3D_Obj_Ctrl> Clone() const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    // The dial picture changed: the dial node takes it again.
    void OnDialImageChanged();

    // Edges in picture pixels; the two further integers are the centre.
    MediaRectangle placement;
    KV_ImageFileLink handsTexture;

private:
    void BindDialObserver();

    // The nodes of the last BuildMeshes; not owned.
    std::vector<MeshNode>* m_meshes = nullptr;
    BoundControlList m_bindings;
};
