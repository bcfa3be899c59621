// Sprites that shine: slanted god rays as tall as the picture, sparkles
// that pulse in size, lighting flashes that flicker out and come back after
// a random wait, and grass blades swaying on the bottom edge.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"

class KV_GodRayConstructor : public SpriteKind<KV_GodRayConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Degrees; 90 is upright.
    MediaParamT<unsigned int> slant{80};
};

class KV_SparkleConstructor : public SpriteKind<KV_SparkleConstructor> {
public:
    KV_SparkleConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
};

class KV_LightingConstructor : public SpriteKind<KV_LightingConstructor> {
public:
    KV_LightingConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;
    // Flashes are never dimmed by the time line.
    D3DCOLOR ModulateColor(D3DCOLOR argb) const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
};

class KV_GrassConstructor : public SpriteKind<KV_GrassConstructor> {
public:
    KV_GrassConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;
    D3DCOLOR ModulateColor(D3DCOLOR argb) const override;

    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Degrees.
    float amplitude = 3.0f;
};
