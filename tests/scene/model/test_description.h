// A concrete description and runtime object for the base-class tests.
#pragma once

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"
#include "scene/model/abobj.h"
#include "scene/model/view_obj_ctrl.h"

#include <memory>
#include <vector>

class TestDescription : public KV_ViewObjCtrl {
public:
    TestDescription() = default;
    TestDescription(const TestDescription& other) : KV_ViewObjCtrl(other), destroyed(other.destroyed) {}
    ~TestDescription() override
    {
        if (destroyed)
            ++*destroyed;
    }

    std::unique_ptr<KV_ABObj> CreateObject() const override;
    // Its record holds no fields of its own, only the base record.
    void Write(KV_IOF_Virtual& archive) const override
    {
        WriteRecordFrame(archive, L"TestDescription", 1);
        KV_ViewObjCtrl::WriteRecord(archive);
    }
    // What a registry factory calls after the class name and version.
    void Read(KV_IOF_Virtual& archive, DWORD) { KV_ViewObjCtrl::ReadRecord(archive); }

    int* destroyed = nullptr;
};

class TestObject : public KV_ABObj {
public:
    explicit TestObject(std::unique_ptr<KV_ABObj_Constructor> description) : KV_ABObj(std::move(description)) {}

    void Render(KV_ABRender&) override {}
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    void Update(float localTime) override { updates.push_back(localTime); }

    std::vector<float> updates;
};

inline std::unique_ptr<KV_ABObj> TestDescription::CreateObject() const
{
    return std::make_unique<TestObject>(std::make_unique<TestDescription>(*this));
}
