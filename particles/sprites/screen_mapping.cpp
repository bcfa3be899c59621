#include "particles/sprites/screen_mapping.h"

#include "scene/render/view_context.h"

D3DXVECTOR3 MapScreenToScene(const PicturePlacement& placement, float x, float y, float z)
{
    const ScreenQuad& quad = placement.fitQuad;
    const float width = quad.Right() - quad.Left(), height = quad.Bottom() - quad.Top();
    D3DXVECTOR3 point(x, y, z);
    if (width != 0.0f)
        point.x = static_cast<float>(placement.pictureWidth) * (x - quad.Left()) / width;
    if (height != 0.0f)
        point.y = static_cast<float>(placement.pictureHeight) * (y - quad.Top()) / height;
    if (g_currentRenderContext) {
        D3DXMATRIX inverse;
        if (D3DXMatrixInverse(&inverse, nullptr, &g_currentRenderContext->zoomPan)) {
            D3DXVECTOR3 mapped;
            D3DXVec3TransformCoord(&mapped, &point, &inverse);
            point = D3DXVECTOR3(mapped.x, mapped.y, z);
        }
    }
    return point;
}

const PicturePlacement& GetPicturePlacement() { return *g_picturePlacement; }

bool ContainsPoint(const MediaRectangle& r, float x, float y)
{
    const PicturePlacement& placement = GetPicturePlacement();
    const D3DXVECTOR3 p = MapScreenToScene(placement, x * placement.scaleX, y * placement.scaleY, 0.0f);
    return static_cast<float>(r.left.Value()) <= p.x && p.x <= static_cast<float>(r.right.Value()) &&
           static_cast<float>(r.top.Value()) <= p.y && p.y <= static_cast<float>(r.bottom.Value());
}
