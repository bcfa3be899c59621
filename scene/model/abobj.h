// Base of every runtime scene object: updated and drawn every frame, it
// reads all its settings from the description copy it owns.
#pragma once

#include "scene/model/abobj_constructor.h"

#include <windef.h>

#include <cstdint>
#include <memory>

class KV_ABRender;

class KV_ABObj {
public:
    KV_ABObj(const KV_ABObj&) = delete;
    KV_ABObj& operator=(const KV_ABObj&) = delete;

    // The slot order of the runtime-object family.
    virtual ~KV_ABObj();
    virtual void Render(KV_ABRender& renderer) = 0;
    virtual void Signal(int a, int b) = 0;
    // Re-derives the placement after a size change.
    virtual void UpdateLayout() = 0;
    virtual void SetActive(int active);
    virtual bool ReadsScene() const;
    virtual int GetKindCode() const;
    virtual bool HitTest(POINT point) const;
    virtual int QueryObject();
    virtual void Reset();
    virtual void Update(float localTime) = 0;

    // Once a frame: the description's time line turns global time into
    // the object's local time, then the object updates.
    void Advance(float t);
    // The slide's time at which the time line's intervals are evaluated.
    void SetTimeLineTime(float t);

    KV_ABObj_Constructor& Description() { return *m_description; }
    const KV_ABObj_Constructor& Description() const { return *m_description; }
    int IsActive() const { return m_active; }

protected:
    // Takes ownership of the description copy.
    explicit KV_ABObj(std::unique_ptr<KV_ABObj_Constructor> description);

private:
    std::unique_ptr<KV_ABObj_Constructor> m_description;
    int32_t m_active = 1;
};
