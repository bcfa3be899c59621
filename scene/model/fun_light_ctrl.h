// Controls that call a member function of their owner when a parameter changes.
#pragma once

#include "scene/model/bound_control_list.h"
#include "scene/model/media_param.h"

#include <memory>

// Calls the owner's callback with the parameter's new value.
template <typename T, class C>
class KV_FunLightCtrl : public MediaControlT<MediaParamTB<T>> {
public:
    using Callback = void (C::*)(T);

    KV_FunLightCtrl(MediaParamTB<T>* param, Callback callback, C* owner)
        : MediaControlT<MediaParamTB<T>>(param), m_callback(callback), m_owner(owner)
    {
    }

    // Binds the list owner's callback to the parameter and tells the owner
    // the current value at once. The list holds the control before it is
    // attached, so a callback that throws leaves nothing behind.
    static KV_FunLightCtrl& Create(BoundControlList& list, Callback callback, MediaParamTB<T>& param)
    {
        auto& control = list.Add(std::make_unique<KV_FunLightCtrl>(&param, callback, list.Owner<C>()));
        param.Attach(&control);
        control.OnChanged(nullptr);
        return control;
    }

    void OnChanged(MediaControl*) override
    {
        if (this->m_observed)
            (m_owner->*m_callback)(this->m_observed->Value());
    }

private:
    Callback m_callback;
    C* m_owner;
};

// Calls the owner's callback, without the value. Not called at binding.
template <class C>
class KV_FunLightCtrl2 : public MediaControlT<MediaParam> {
public:
    using Callback = void (C::*)();

    KV_FunLightCtrl2(MediaParam* param, Callback callback, C* owner)
        : MediaControlT<MediaParam>(param), m_callback(callback), m_owner(owner)
    {
    }

    // Binds the list owner's callback to the parameter, without calling it.
    static KV_FunLightCtrl2& Bind(BoundControlList& list, Callback callback, MediaParam& param)
    {
        auto& control = list.Add(std::make_unique<KV_FunLightCtrl2>(&param, callback, list.Owner<C>()));
        param.Attach(&control);
        return control;
    }

    void OnChanged(MediaControl*) override { (m_owner->*m_callback)(); }

private:
    Callback m_callback;
    C* m_owner;
};
