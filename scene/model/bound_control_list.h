// The binding controls an object has attached to parameters, owned here.
#pragma once

#include "scene/model/media_param.h"

#include <list>
#include <memory>

class BoundControlList {
public:
    BoundControlList() = default;
    BoundControlList(const BoundControlList&) = delete;
    BoundControlList& operator=(const BoundControlList&) = delete;
    // Destroys the controls (each leaves the parameter it still observes),
    // then the owner when the list owns it.
    ~BoundControlList();

    // An object that binds its own members: the list leaves it alone.
    template <class C>
    void SetOwner(C* owner)
    {
        m_ownedOwner.reset();
        m_owner = owner;
    }
    // The list owns the owner and destroys it after the controls.
    template <class C>
    void SetOwner(std::unique_ptr<C> owner)
    {
        m_owner = owner.get();
        m_ownedOwner = OwnedOwner(owner.release(), [](void* object) { delete static_cast<C*>(object); });
    }
    template <class C>
    C* Owner() const
    {
        return static_cast<C*>(m_owner);
    }

    template <class Control>
    Control& Add(std::unique_ptr<Control> control)
    {
        Control& added = *control;
        m_controls.push_back(std::move(control));
        return added;
    }

private:
    using OwnedOwner = std::unique_ptr<void, void (*)(void*)>;

    void* m_owner = nullptr;
    OwnedOwner m_ownedOwner{nullptr, nullptr};
    std::list<std::unique_ptr<MediaControl>> m_controls;
};
