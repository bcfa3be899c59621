// What a flowing sprite does at one edge of its rectangle: come back in at
// the opposite edge after fading out and waiting (mode 0), bounce (1), or
// leave, wait and come back the way it went (2).
#pragma once

#include "particles/sprites/sprite_instance.h"
#include "scene/model/kv_iof_item.h"
#include "scene/model/undo_ctrl.h"

#include <windef.h>

#include <array>

class KV_FlowConstructor;
class KV_ViewObjCtrl;

class KV_BoundControl : public KV_IOF_Item {
public:
    enum Edge : int { kNone = -1, kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

    // The picture edges in pixels, by edge. The flow reads them once a
    // frame: nothing the rules do moves them.
    using PixelEdges = std::array<float, 4>;
    static PixelEdges EdgesOf(const KV_ViewObjCtrl& d);

    KV_BoundControl() = default;
    // The edge and the settings; the owner binds the edge again.
    KV_BoundControl(const KV_BoundControl& other) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void ReadRecord(KV_IOF_Virtual& archive);

    // The edge whose tests the rule applies; any other value applies none.
    void BindEdge(int edge);
    // Whether this rule holds the sprite this frame.
    bool Apply(const PixelEdges& edges, KV_FlowConstructor& d, SpriteInstance& i) const;
    // Whether one of the rules, tried in order, holds the sprite this frame.
    static bool ApplyFirst(const std::array<KV_BoundControl, 4>& rules, const PixelEdges& edges,
                           KV_FlowConstructor& d, SpriteInstance& i);
    // Touching none of the edges. No rule takes such a free sprite: being
    // wholly beyond an edge implies touching it (centre - half is at most
    // centre + |half|, and rounding keeps that order).
    static bool ClearOfEdges(const SpriteInstance& i, const PixelEdges& edges)
    {
        return !i.CrossesTop(edges[kTop]) && !i.CrossesBottom(edges[kBottom]) && !i.CrossesLeft(edges[kLeft]) &&
               !i.CrossesRight(edges[kRight]);
    }
    // A sprite this rule already holds; always true.
    bool Continue(SpriteInstance& i, KV_FlowConstructor& d, const PixelEdges& edges) const;
    bool EnterBounce(SpriteInstance& i) const;
    bool EnterReturn(SpriteInstance& i, KV_FlowConstructor& d) const;

    int Edge() const { return m_edge; }

    MediaParamT<int> mode{0};
    // Milliseconds.
    MediaParamT<unsigned int> fadeOut{0};
    MediaParamT<unsigned int> fadeIn{0};
    MediaParamT<unsigned int> minimumWait{0};
    MediaParamT<unsigned int> maximumWait{0};

private:
    // Whether a sprite no rule holds enters this one.
    bool EnterFree(const PixelEdges& edges, KV_FlowConstructor& d, SpriteInstance& i) const;
    bool Horizontal() const { return m_edge == kLeft || m_edge == kRight; }
    // The direction sign across this edge reversed.
    void Reverse(SpriteInstance& i) const;
    // A wait between the minimum and the maximum from now on.
    void StartWait(SpriteInstance& i, const KV_FlowConstructor& d) const;
    bool EnterWrap(SpriteInstance& i, KV_FlowConstructor& d, const PixelEdges& edges) const;
    void PlaceOpposite(SpriteInstance& i, const PixelEdges& edges) const;
    void ContinueBounce(SpriteInstance& i, const PixelEdges& edges) const;
    void ContinueReturn(SpriteInstance& i, const KV_FlowConstructor& d, const PixelEdges& edges) const;
    void ContinueWrap(SpriteInstance& i, KV_FlowConstructor& d) const;

    // The edge's two tests: wholly beyond it, and touching it.
    bool Outside(const SpriteInstance& i, const PixelEdges& edges) const;
    bool Crossing(const SpriteInstance& i, const PixelEdges& edges) const;

    int m_edge = kNone;
};
