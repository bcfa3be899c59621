#include "particles/sprites/bound_control.h"

#include "particles/sprites/flow.h"
#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"

#include <algorithm>

void KV_BoundControl::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BoundControl", 1);
    archive.WriteInt(&mode.Value());
    for (const auto* value : {&fadeOut, &fadeIn, &minimumWait, &maximumWait})
        archive.WriteUInt(&value->Value());
}

void KV_BoundControl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    archive.ReadInt(&mode.Value());
    for (auto* value : {&fadeOut, &fadeIn, &minimumWait, &maximumWait})
        archive.ReadUInt(&value->Value());
}

void KV_BoundControl::BindEdge(int edge) { m_edge = edge >= kTop && edge <= kRight ? edge : kNone; }

KV_BoundControl::PixelEdges KV_BoundControl::EdgesOf(const KV_ViewObjCtrl& d)
{
    PixelEdges edges;
    edges[kTop] = d.GetTopPixels();
    edges[kBottom] = d.GetBottomPixels();
    edges[kLeft] = d.GetLeftPixels();
    edges[kRight] = d.GetRightPixels();
    return edges;
}

inline bool KV_BoundControl::Outside(const SpriteInstance& i, const PixelEdges& edges) const
{
    switch (m_edge) {
    case kTop: return i.IsOutsideTop(edges[kTop]);
    case kBottom: return i.IsOutsideBottom(edges[kBottom]);
    case kLeft: return i.IsOutsideLeft(edges[kLeft]);
    default: return i.IsOutsideRight(edges[kRight]);
    }
}

inline bool KV_BoundControl::Crossing(const SpriteInstance& i, const PixelEdges& edges) const
{
    switch (m_edge) {
    case kTop: return i.CrossesTop(edges[kTop]);
    case kBottom: return i.CrossesBottom(edges[kBottom]);
    case kLeft: return i.CrossesLeft(edges[kLeft]);
    default: return i.CrossesRight(edges[kRight]);
    }
}

// Inline, as are the tests: every rule meets every free sprite touching an edge.
inline bool KV_BoundControl::EnterFree(const PixelEdges& edges, KV_FlowConstructor& d, SpriteInstance& i) const
{
    if (m_edge == kNone)
        return false;
    switch (mode.Value()) {
    case 1:
        return Crossing(i, edges) && EnterBounce(i);
    case 2:
        return Outside(i, edges) && EnterReturn(i, d);
    case 0:
        return Outside(i, edges) && EnterWrap(i, d, edges);
    default:
        return false;
    }
}

bool KV_BoundControl::Apply(const PixelEdges& edges, KV_FlowConstructor& d, SpriteInstance& i) const
{
    if (i.edgeState != kNone)
        return i.edgeState == m_edge && Continue(i, d, edges);
    return EnterFree(edges, d, i);
}

bool KV_BoundControl::ApplyFirst(const std::array<KV_BoundControl, 4>& rules, const PixelEdges& edges,
                                 KV_FlowConstructor& d, SpriteInstance& i)
{
    // A rule that enters or holds the sprite ends the search.
    return std::any_of(rules.begin(), rules.end(),
                       [&](const KV_BoundControl& rule) { return rule.Apply(edges, d, i); });
}

void KV_BoundControl::Reverse(SpriteInstance& i) const
{
    float& sign = Horizontal() ? i.m[0] : i.m[1];
    sign = -sign;
}

void KV_BoundControl::StartWait(SpriteInstance& i, const KV_FlowConstructor& d) const
{
    i.t2 = d.clock + RandomInRange(static_cast<float>(minimumWait.Value()) * 0.001f,
                                   static_cast<float>(maximumWait.Value()) * 0.001f);
    i.waiting = true;
    i.t3 = d.clock;
}

bool KV_BoundControl::EnterBounce(SpriteInstance& i) const
{
    Reverse(i);
    i.edgeState = m_edge;
    return true;
}

bool KV_BoundControl::EnterReturn(SpriteInstance& i, KV_FlowConstructor& d) const
{
    Reverse(i);
    StartWait(i, d);
    i.edgeState = m_edge;
    return true;
}

bool KV_BoundControl::EnterWrap(SpriteInstance& i, KV_FlowConstructor& d, const PixelEdges& edges) const
{
    // Still visible: the fade-out runs first.
    if (d.RuleFade(i) <= 0.0f) {
        PlaceOpposite(i, edges);
        i.placed = true;
    }
    i.edgeState = m_edge;
    return true;
}

void KV_BoundControl::PlaceOpposite(SpriteInstance& i, const PixelEdges& edges) const
{
    const float hw = i.halfWidth, hh = i.halfHeight;
    switch (m_edge) {
    case kTop:
        i.centre.y = edges[kBottom] + hh - 1.0f;
        break;
    case kBottom:
        i.centre.y = edges[kTop] - hh + 1.0f;
        break;
    case kLeft:
        i.centre.x = edges[kRight] + hw - 1.0f;
        break;
    default:
        i.centre.x = edges[kLeft] - hw + 1.0f;
        break;
    }
    if (Horizontal())
        i.centre.y = RandomInRange(edges[kTop], edges[kBottom]);
    else
        i.centre.x = RandomInRange(edges[kLeft], edges[kRight]);
}

bool KV_BoundControl::Continue(SpriteInstance& i, KV_FlowConstructor& d, const PixelEdges& edges) const
{
    switch (mode.Value()) {
    case 1:
        ContinueBounce(i, edges);
        break;
    case 2:
        ContinueReturn(i, d, edges);
        break;
    case 0:
        ContinueWrap(i, d);
        break;
    default:
        break;
    }
    return true;
}

void KV_BoundControl::ContinueBounce(SpriteInstance& i, const PixelEdges& edges) const
{
    float& position = Horizontal() ? i.centre.x : i.centre.y;
    const float half = Horizontal() ? i.halfWidth : i.halfHeight;
    const float low = edges[Horizontal() ? kLeft : kTop];
    const float high = edges[Horizontal() ? kRight : kBottom];
    // One pixel back inside the band.
    if (high - half < position)
        position = high - half - 1.0f;
    if (low + half > position)
        position = low + half + 1.0f;
    if (!Crossing(i, edges))
        i.edgeState = kNone;
}

void KV_BoundControl::ContinueReturn(SpriteInstance& i, const KV_FlowConstructor& d,
                                     const PixelEdges& edges) const
{
    float& position = Horizontal() ? i.centre.x : i.centre.y;
    const float half = Horizontal() ? i.halfWidth : i.halfHeight;
    const float low = edges[Horizontal() ? kLeft : kTop];
    const float high = edges[Horizontal() ? kRight : kBottom];
    // Held in the outer band while it waits.
    if (position > high + half)
        position = high + half - 1.0f;
    if (low - half > position)
        position = low - half + 1.0f;
    i.t3 += d.clockStep;
    if (i.t2 >= i.t3)
        return;
    i.waiting = false;
    if (!Outside(i, edges))
        i.edgeState = kNone;
}

void KV_BoundControl::ContinueWrap(SpriteInstance& i, KV_FlowConstructor& d) const
{
    float& fade = d.RuleFade(i);
    if (i.placed) {
        i.t3 += d.clockStep;
        if (i.t2 < i.t3) {
            i.waiting = false;
            if (fade < 1.0f) {
                const float in = static_cast<float>(fadeIn.Value());
                fade = in == 0.0f ? 1.0f : std::min(fade + d.clockStep * 1000.0f / in, 1.0f);
            }
            if (fade >= 1.0f) {
                i.edgeState = kNone;
                i.placed = false;
            }
        }
    } else if (fade > 0.0f) {
        const float out = static_cast<float>(fadeOut.Value());
        fade = out == 0.0f ? 0.0f : std::max(fade - d.clockStep * 1000.0f / out, 0.0f);
    } else {
        // The next frame's Apply places it beyond the opposite edge.
        i.edgeState = kNone;
        StartWait(i, d);
    }
}
