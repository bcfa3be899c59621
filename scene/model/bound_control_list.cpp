#include "scene/model/bound_control_list.h"

BoundControlList::~BoundControlList()
{
    for (MediaControl* control : m_controls)
        delete control;
    if (m_ownsOwner && m_owner)
        m_deleteOwner(m_owner);
}
