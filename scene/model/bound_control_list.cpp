#include "scene/model/bound_control_list.h"

BoundControlList::~BoundControlList()
{
    // The controls call back into the owner; they go first.
    m_controls.clear();
    m_ownedOwner.reset();
}
