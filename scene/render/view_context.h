// One render unit's view: the matrices that place the background picture
// (picture pixels, y down) in the target for the picture-position mode, the
// camera's zoom and pan and an orthographic projection of target pixels,
// the four border quads around the picture, and where the picture lies.
#pragma once

#include "scene/model/picture_placement.h"
#include "scene/render/textured_quad.h"

class ViewContext {
public:
    enum Mode { Stretch = 0, Fit = 1, Fill = 2, Capture = 3 };

    ViewContext();

    // A picture of zero width or height counts as none: it takes the whole
    // target with an identity base matrix.
    void Layout(UINT pictureWidth, UINT pictureHeight, UINT w, UINT h, int mode, bool insidePushedTarget);
    void SetModeScale(float ox, float oy, float sx, float sy);
    // A zoom of 0 or less counts as 1. Pans of -1 and 1 reach the ends of the
    // zoomed picture's free margin.
    void SetZoomPan(float zoom, float panX, float panY);
    void SetWorldTransform(const D3DXMATRIX& geometry) const;
    void ApplyTransforms() const;
    D3DXMATRIX GetWorldViewProjection(const D3DXMATRIX& geometry) const;
    D3DXMATRIX GetViewProjection() const;
    D3DXMATRIX GetRotationScale() const;
    // Every border quad gets a new PT buffer and the texture.
    void SetBorderTextures(IDirect3DTexture9* texture);
    void DrawBorders() const;

    // Writes where the picture lies for the scene objects, a picture of at
    // least 1 x 1.
    void SetPlacement(float scaleX, float scaleY, const ScreenQuad& fitQuad);
    const PicturePlacement& Placement() const { return placement; }

    D3DXMATRIX base;
    D3DXMATRIX modeScale;
    D3DXMATRIX world;
    D3DXMATRIX view;
    D3DXMATRIX projection;
    float inverseScaleX = 1.0f;
    float inverseScaleY = 1.0f;
    float modeOffsetX = 0.0f;
    float modeOffsetY = 0.0f;
    D3DXMATRIX zoomPan;
    // Left, right, top, bottom of the picture.
    TexturedQuad borders[4];
    int mode = Fit;
    UINT pictureWidth = 0;
    UINT pictureHeight = 0;
    float fitRatioX = 1.0f;
    float fitRatioY = 1.0f;
    // Picture pixels per target pixel of the fitted placement.
    float pictureScale = 1.0f;
    RECT fitted{0, 0, 0, 0};

private:
    // The matrices between the geometry's and the view: Z x M x B, or
    // M x B while capturing.
    D3DXMATRIX PictureToTarget() const;
    void PlaceBorders(float width, float height);

    PicturePlacement placement;
};

// The unit being updated or drawn; not owned.
extern ViewContext* g_currentRenderContext;

// Publishes the unit's context and its picture placement (null: none).
void MakeRenderContextCurrent(ViewContext* context);

// A back-buffer point in picture pixels: through the placement's fitted
// quad, then back through the current context's zoom and pan; z is kept.
D3DXVECTOR3 MapScreenToScene(const PicturePlacement& placement, const D3DXVECTOR3& point);
