// Observable parameters: a value with a list of controls that are told
// when it changes (every control but the one that made the change).
#pragma once

#include <list>

class MediaControl;

class MediaParam {
public:
    MediaParam() = default;
    // A copy has its own, empty control list: controls stay with the original.
    MediaParam(const MediaParam&) {}
    MediaParam& operator=(const MediaParam&) = delete;
    // Detaches every attached control; the controls themselves live on.
    virtual ~MediaParam();

    // Appends a control; the parameter never owns it.
    void Attach(MediaControl* control) { m_controls.push_back(control); }
    // Removes every occurrence of the control.
    void Remove(MediaControl* control);
    // Tells every control except the source (null tells all). A control
    // may remove any control, or destroy the parameter, while it is told.
    void NotifyControls(MediaControl* source);

    const std::list<MediaControl*>& Controls() const { return m_controls; }

private:
    using ControlList = std::list<MediaControl*>;
    // A notification in progress: Remove steps `next` past a control that
    // leaves, the destructor marks the notification as orphaned.
    struct Notification {
        ControlList::iterator next;
        bool parameterGone = false;
        Notification* outer = nullptr;
    };
    class NotificationScope;

    ControlList m_controls;
    // The innermost notification in progress (callbacks may notify again).
    Notification* m_notification = nullptr;
};

class MediaControl {
public:
    MediaControl() = default;
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;
    virtual ~MediaControl() = default;

    // The observed parameter is going away: forget it.
    virtual void Detach() {}
    virtual void OnChanged(MediaControl* source) = 0;
};

// A control that observes one parameter and leaves its list when destroyed.
template <class P>
class MediaControlT : public MediaControl {
public:
    explicit MediaControlT(P* observed = nullptr) : m_observed(observed) {}
    ~MediaControlT() override
    {
        if (m_observed)
            m_observed->Remove(this);
    }

    void Detach() override { m_observed = nullptr; }
    P* Observed() const { return m_observed; }

protected:
    P* m_observed;
};

template <typename T>
class MediaParamTB : public MediaParam {
public:
    explicit MediaParamTB(const T& value = T{}) : m_value(value) {}
    MediaParamTB(const MediaParamTB& other) : MediaParam(), m_value(other.m_value) {}

    const T& Value() const { return m_value; }
    // Direct access for readers, which store without notifying.
    T& Value() { return m_value; }

    // Stores and notifies only when the value differs.
    void SetValue(const T& value, MediaControl* source = nullptr)
    {
        if (value == m_value)
            return;
        m_value = value;
        NotifyControls(source);
    }

    // Stores and notifies even when the value is unchanged.
    void StoreAndNotify(const T& value, MediaControl* source = nullptr)
    {
        m_value = value;
        NotifyControls(source);
    }

private:
    T m_value;
};
