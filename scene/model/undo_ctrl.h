// The undo control that every MediaParamT carries as its first control.
#pragma once

#include "scene/model/media_param.h"
#include "scene/model/undo_history.h"

class UndoCtrl : public MediaControl {
public:
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // Called before an edit, so that Undo restores the value from before it.
    virtual void Checkpoint() = 0;
};

template <typename T>
class UndoCtrlT : public UndoCtrl {
public:
    explicit UndoCtrlT(MediaParamTB<T>* param) : m_param(param) {}
    ~UndoCtrlT() override
    {
        if (m_param)
            m_param->Remove(this);
    }

    void Detach() override { m_param = nullptr; }
    // The captured value always follows the parameter.
    void OnChanged(MediaControl*) override
    {
        if (m_param)
            m_captured = m_param->Value();
    }

    void Checkpoint() override { m_history.Push(m_captured); }
    void Undo() override
    {
        m_history.StepOlder(m_captured);
        Restore();
    }
    void Redo() override
    {
        m_history.StepNewer(m_captured);
        Restore();
    }

    const UndoHistory<T>& History() const { return m_history; }

private:
    void Restore()
    {
        if (!m_param || m_captured == m_param->Value())
            return;
        m_param->Value() = m_captured;
        m_param->NotifyControls(this);
    }

    MediaParamTB<T>* m_param;
    T m_captured{};
    UndoHistory<T> m_history;
};

template <typename T>
class MediaParamT : public MediaParamTB<T> {
public:
    explicit MediaParamT(const T& value = T{}) : MediaParamTB<T>(value), m_undo(this) { AttachUndo(); }
    // The copy has the value only, with a fresh undo control and history.
    MediaParamT(const MediaParamT& other) : MediaParamTB<T>(other), m_undo(this) { AttachUndo(); }

    UndoCtrlT<T>& UndoControl() { return m_undo; }
    const UndoCtrlT<T>& UndoControl() const { return m_undo; }

private:
    void AttachUndo()
    {
        this->Attach(&m_undo);
        m_undo.OnChanged(nullptr);
    }

    UndoCtrlT<T> m_undo;
};
