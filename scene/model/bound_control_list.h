// The binding controls an object has attached to parameters, owned here.
#pragma once

#include "scene/model/media_param.h"

#include <list>

class BoundControlList {
public:
    BoundControlList() = default;
    BoundControlList(const BoundControlList&) = delete;
    BoundControlList& operator=(const BoundControlList&) = delete;
    // Deletes the controls (each leaves the parameter it still observes),
    // then the owner when the list owns it.
    ~BoundControlList();

    template <class C>
    void SetOwner(C* owner, bool ownsOwner)
    {
        m_owner = owner;
        m_deleteOwner = [](void* object) { delete static_cast<C*>(object); };
        m_ownsOwner = ownsOwner;
    }
    template <class C>
    C* Owner() const
    {
        return static_cast<C*>(m_owner);
    }
    bool OwnsOwner() const { return m_ownsOwner; }

    void Add(MediaControl* control) { m_controls.push_back(control); }
    const std::list<MediaControl*>& Controls() const { return m_controls; }

private:
    void* m_owner = nullptr;
    void (*m_deleteOwner)(void*) = nullptr;
    bool m_ownsOwner = true;
    std::list<MediaControl*> m_controls;
};
