#include "scene/model/media_param.h"

// Registers a notification with its parameter for as long as it runs,
// also when a control throws.
class MediaParam::NotificationScope {
public:
    explicit NotificationScope(MediaParam& param) : m_param(param)
    {
        m_notification.next = param.m_controls.begin();
        m_notification.outer = param.m_notification;
        param.m_notification = &m_notification;
    }
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;
    ~NotificationScope()
    {
        if (!m_notification.parameterGone)
            m_param.m_notification = m_notification.outer;
    }

    Notification& Get() { return m_notification; }

private:
    MediaParam& m_param;
    Notification m_notification;
};

MediaParam::~MediaParam()
{
    for (Notification* n = m_notification; n; n = n->outer)
        n->parameterGone = true;
    for (MediaControl* control : m_controls)
        control->Detach();
}

void MediaParam::Remove(MediaControl* control)
{
    for (Notification* n = m_notification; n; n = n->outer) {
        while (n->next != m_controls.end() && *n->next == control)
            ++n->next;
    }
    m_controls.remove(control);
}

void MediaParam::NotifyControls(MediaControl* source)
{
    NotificationScope scope(*this);
    Notification& notification = scope.Get();
    while (notification.next != m_controls.end()) {
        MediaControl* control = *notification.next++;
        if (control == source)
            continue;
        control->OnChanged(source);
        if (notification.parameterGone)
            return;
    }
}
