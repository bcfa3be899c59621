// Drawing into a render-target pair of the document's for as long as the
// pass lives, laid out like the scene capture (the picture over the whole
// target), for objects that keep an image of their own between draws.
#pragma once

#include <windows.h>

#include <d3d9.h>

class KV_ABRender;
class RenderTargetPair;

// Binds the pair's current texture, lays the picture out for it and
// clears it; the destructor puts the previous target and layout back.
class MaskPass {
public:
    MaskPass(KV_ABRender& renderer, RenderTargetPair& target, D3DCOLOR clear);
    ~MaskPass();
    MaskPass(const MaskPass&) = delete;
    MaskPass& operator=(const MaskPass&) = delete;

private:
    KV_ABRender& m_renderer;
    RenderTargetPair& m_target;
};
