// A transform node: its world matrix comes from its local matrix (or its
// controller) and its parent's world; children are updated after it.
#pragma once

#include <list>

#include <windows.h>

#include <d3dx9.h>

class KV_AnimationBase;

class KV_Frame {
public:
    KV_Frame();
    // Frames that carry a controller are never copied: the controller
    // belongs to the one frame that deletes it.
    KV_Frame(const KV_Frame& other) = default;
    KV_Frame& operator=(const KV_Frame& other) = default;
    ~KV_Frame();

    void UpdateTransforms(const D3DXMATRIX* parentWorld);

    // Filled from a mesh; read by controllers that scale to it.
    float boundingRadius = 0.0f;
    float boundingCentre[3] = {0.0f, 0.0f, 0.0f};
    D3DXMATRIX world;
    D3DXMATRIX local;
    KV_AnimationBase* controller = nullptr;
    // 1: counter-clockwise faces are culled first, 0: clockwise.
    BYTE faceOrder = 1;
    std::list<KV_Frame*> children;
};
