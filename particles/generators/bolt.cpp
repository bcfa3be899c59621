#include "particles/generators/bolt.h"

namespace {

// Over the list's own points and then, the same way, over every branch.
template <class Own>
size_t SumOverTree(const BoltList& list, Own own)
{
    if (list.empty())
        return 0;
    size_t sum = own(list);
    for (const BoltPoint& point : list)
        sum += SumOverTree(point.branches, own);
    return sum;
}

} // namespace

size_t BoltSegmentCount(const BoltList& list)
{
    return SumOverTree(list, [](const BoltList& l) { return l.size() - 1; });
}

size_t BoltEndCount(const BoltList& list)
{
    return SumOverTree(list, [](const BoltList&) { return size_t{2}; });
}

D3DXVECTOR3 UnitOrZero(const D3DXVECTOR3& v)
{
    const float length = D3DXVec3Length(&v);
    return length > 0 ? v / length : D3DXVECTOR3(0, 0, 0);
}
