// Many copies of one textured mesh drifting across the picture, each
// spinning and swinging as it goes, like leaves falling in wind.
#pragma once

#include "particles/objects3d/drift_settings.h"
#include "scene/document/embedded_file.h"
#include "scene/model/abobj_constructor.h"
#include "scene/model/undo_ctrl.h"

class KV_3D_in_2D_array;

class KV_3D_in_2D_array_Constructor : public KV_ABObj_Constructor {
public:
    KV_3D_in_2D_array_Constructor() = default;
    KV_3D_in_2D_array_Constructor(const KV_3D_in_2D_array_Constructor& other) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    std::unique_ptr<KV_ABObj> CreateObject() const override;

    // The version is not consulted.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // The object built around this copy; not owned.
    KV_3D_in_2D_array* runtimeObject = nullptr;
    ResourceEntry mesh;
    ResourceEntry texture;
    MediaParamT<unsigned int> instanceCount{0};
    DriftSettings drift;
};
