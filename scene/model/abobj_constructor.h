// Base of every scene-object description: what the document stores (a
// name, a time line and the kind's parameters) and what creates the
// runtime object.
#pragma once

#include "scene/model/kv_iof_item.h"
#include "scene/document/kv_string.h"
#include "scene/model/time_line_control.h"

#include <cstdint>
#include <memory>

class KV_ABObj;
class KV_ImageFileLink;

// What a description shows, for those that show an image.
struct ImageInfo {
    const KV_ImageFileLink* link = nullptr;
    int frameValue = 0;
    float scale = 1.0f;
};

class KV_ABObj_Constructor : public KV_IOF_Item {
public:
    KV_ABObj_Constructor();
    // Deep-copies the time line.
    KV_ABObj_Constructor(const KV_ABObj_Constructor& other);
    KV_ABObj_Constructor& operator=(const KV_ABObj_Constructor&) = delete;

    // The slot order of the description family.
    ~KV_ABObj_Constructor() override;
    void Write(KV_IOF_Virtual& archive) const override;
    virtual bool OnMouseMove(int x, int y);
    virtual void OnMouseClick(int x, int y);
    virtual int GetKindCode() const;
    virtual ImageInfo GetImageInfo() const;
    virtual void Signal(int value);
    // A new runtime object around a new copy of this description.
    virtual std::unique_ptr<KV_ABObj> CreateObject() const = 0;
    virtual void AssignKey();
    virtual void Reset();
    virtual void NotifyFirst(int value);
    virtual void NotifySecond(int value);
    virtual int QueryValue(int value) const;
    virtual int QueryObject(KV_ABObj* object) const;

    // The base part of every description record; subclass records end with it.
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);
    // A description of any registered class; null (and a failed archive)
    // for a class name that is not registered.
    static std::unique_ptr<KV_ABObj_Constructor> ReadNew(KV_IOF_Virtual& archive);

    KV_TimeLineControl& TimeLine() { return *m_timeLine; }
    const KV_TimeLineControl& TimeLine() const { return *m_timeLine; }

    // Copied with the description, never stored.
    int32_t flag = 1;
    kv_string name;

private:
    std::unique_ptr<KV_TimeLineControl> m_timeLine;
};
