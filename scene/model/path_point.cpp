#include "scene/model/path_point.h"

#include "scene/document/kv_iof_virtual.h"

PathPoint MakePathPoint(float x, float y, float z)
{
    return PathPoint{CountedRef<MediaParamT<D3DXVECTOR3>>(new MediaParamT<D3DXVECTOR3>(D3DXVECTOR3(x, y, z))),
                     CountedRef<MediaParam>(nullptr)};
}

void ReadPathPoint(KV_IOF_Virtual& archive, PathPoint& target)
{
    float x = 0, y = 0, z = 0;
    archive.ReadFloat(&x);
    archive.ReadFloat(&y);
    archive.ReadFloat(&z);
    target = MakePathPoint(x, y, z);
}

void WritePathPoint(KV_IOF_Virtual& archive, const PathPoint& point)
{
    const D3DXVECTOR3& p = point.position->Value();
    archive.WriteFloat(&p.x);
    archive.WriteFloat(&p.y);
    archive.WriteFloat(&p.z);
}
