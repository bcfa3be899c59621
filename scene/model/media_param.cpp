#include "scene/model/media_param.h"

#include <iterator>

MediaParam::~MediaParam()
{
    for (MediaControl* control : m_controls)
        control->Detach();
}

void MediaParam::NotifyControls(MediaControl* source)
{
    // A control may leave the list while it is being told.
    for (auto it = m_controls.begin(); it != m_controls.end();) {
        MediaControl* control = *it++;
        if (control != source)
            control->OnChanged(source);
    }
}
