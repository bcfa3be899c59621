// The geometry of a sprite system: one PCT quad per sprite in one indexed
// buffer, the sprites themselves, and the binding that keeps the quad
// count equal to the description's count.
#pragma once

#include "particles/sprites/sprite_instance.h"
#include "scene/model/bound_control_list.h"
#include "scene/render/kv_indexed_mesh.h"

#include <utility>
#include <vector>

class KV_ParticleSystemCtrl;

class ParticleGeomArray : public KV_IndexedMesh {
public:
    // In creation order, side by side: every frame walks the whole list
    // twice, and nothing keeps a record's address across a Resize.
    using InstanceList = std::vector<SpriteInstance>;
    using Pair = std::pair<float, float>;

    // The description is not owned; nothing is bound until BindCount.
    explicit ParticleGeomArray(KV_ParticleSystemCtrl& owner);
    ParticleGeomArray(const ParticleGeomArray&) = delete;
    ParticleGeomArray& operator=(const ParticleGeomArray&) = delete;

    // Follows the owner's count from now on, starting with its current value.
    void BindCount();
    // New buffers for n quads and sprites up to n; 0 keeps everything.
    // The list never shrinks: a later larger count reuses the sprites.
    void Resize(unsigned n);
    // Advances the owner's clocks and moves every sprite.
    void Update(float t);
    // Writes the quads of the first count sprites.
    void FillVertexBuffer(KV_ParticleSystemCtrl& d);
    // Vertex 0 (u first, v second), 1 (u first, v first), 2 (u second, v
    // second), 3 (u second, v first) of the locked quad.
    void SetQuadTexCoords(Pair u, Pair v, unsigned quad);

    const InstanceList& Instances() const { return m_instances; }
    void ClearTimers();
    // Whether the buffers were made anew and not yet written.
    bool NeedsFill() const { return m_needsFill; }

private:
    // Steps the strip frame at the strip rate on the owner's clock.
    void StepStrip(KV_ParticleSystemCtrl& d);

    KV_ParticleSystemCtrl* m_owner;
    BoundControlList m_bindings;
    InstanceList m_instances;
    float m_stripClock = 0.0f;
    unsigned m_stripFrame = 0;
    bool m_needsFill = false;
};
