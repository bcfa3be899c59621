#include "particles/sprites/explosion.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

#include <algorithm>
#include <cmath>

namespace {

const RegisterReader<KV_ExplosionConstructor, KV_ABObj_Constructor> registration(L"KV_ExplosionConstructor");

} // namespace

KV_ExplosionConstructor::KV_ExplosionConstructor()
{
    secondColour.Value() = 0;
    size.SetValue(250);
    speed.SetValue(100);
}

void KV_ExplosionConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ExplosionConstructor", 2);
    for (const UINTSclaleTo<float>* noise : {&noise1, &noise2, &noise3})
        archive.WriteUInt(&noise->Value());
    archive.WriteUInt(&drift.Value());
    archive.WriteUInt(&driftSpeed.Value());
    archive.WriteUInt(&seed.Value());
    archive.WriteInt(&randomMode.Value());
    archive.WriteDword(&secondColour.Value());
    KV_StatBaseFXCtrl::WriteRecord(archive);
}

void KV_ExplosionConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    for (UINTSclaleTo<float>* noise : {&noise1, &noise2, &noise3})
        ReadScaledValue(archive, *noise);
    archive.ReadUInt(&drift.Value());
    ReadScaledValue(archive, driftSpeed);
    DWORD oldTimes[5] = {};
    if (version < 2)
        for (DWORD& milliseconds : oldTimes)
            archive.ReadDword(&milliseconds);
    archive.ReadUInt(&seed.Value());
    archive.ReadInt(&randomMode.Value());
    archive.ReadDword(&secondColour.Value());
    KV_StatBaseFXCtrl::ReadRecord(archive);
    if (version < 2)
        ApplyOldTimes(oldTimes);
}

// Fade-in, visible, fade-out and the two hidden parts, in hundredths.
void KV_ExplosionConstructor::ApplyOldTimes(const DWORD (&ms)[5])
{
    KV_TimeLineControl& timeLine = TimeLine();
    const unsigned hidden = (ms[3] + ms[4]) / 10, visible = ms[1] / 10;
    timeLine.invisibleRange.minimum.SetValue(hidden);
    timeLine.invisibleRange.maximum.SetValue(hidden);
    timeLine.visibleRange.minimum.SetValue(visible);
    timeLine.visibleRange.maximum.SetValue(visible);
    timeLine.fadeIn.SetValue(ms[0] / 10);
    timeLine.fadeOut.SetValue(ms[2] / 10);
    timeLine.mode.SetValue(KV_TimeLineControl::kModeCycle);
}

void KV_ExplosionConstructor::RestartNoise()
{
    m_offsetCounter = 1;
    m_previousOffset = m_currentOffset = D3DXVECTOR2(0, 0);
    driftSpeed.Restart();
}

// The base restarts the clock: the whole-second marker must follow it, or
// no new offsets would come until the clock had caught up with it.
void KV_ExplosionConstructor::Reset()
{
    KV_StatBaseFXCtrl::Reset();
    RestartNoise();
    m_wholeSecond = 0.0f;
}

void KV_ExplosionConstructor::LoadResources()
{
    KV_FXParticleSystemCtrl::LoadResources();
    m_gradient.Share(LinkedFrame(image));
    m_noise.Share(LinkedFrame(secondImage));
    PickNoiseOffset();
}

void KV_ExplosionConstructor::PickNoiseOffset()
{
    if (randomMode.Value() != 0) {
        m_currentOffset = {RandomFloat(0.0f, 1.0f), RandomFloat(0.0f, 1.0f)};
        return;
    }
    kv_srand(seed.Value());
    for (int pick = 0; pick < m_offsetCounter; ++pick)
        m_currentOffset = {RandomFloat(0.0f, 1.0f), RandomFloat(0.0f, 1.0f)};
    ++m_offsetCounter;
}

void KV_ExplosionConstructor::UpdateParticle(SpriteInstance& i)
{
    driftSpeed.Advance(clock);
    const TimeLinePhase phase = TimeLine().GetPhase();
    if (phase == kPhaseHidden)
        RestartNoise();
    i.centre = position.Value();
    float grown = 1.0f;
    if (phase == kPhaseFadingIn) {
        const float opacity = TimeLine().GetOpacity();
        i.phase = std::min(opacity * 5.0f, 1.0f);
        UpdateInstanceColor(i);
        grown = 0.25f + 0.75f * opacity;
    }
    const float half = phase == kPhaseHidden ? 0.0f : static_cast<float>(size.Value() / 2) * grown;
    i.halfWidth = i.halfHeight = half;
}

bool KV_ExplosionConstructor::SetupEffect(KV_ABRender&, ParticleGeomArray&)
{
    ID3DXEffect* effect = Effect();
    if (!effect)
        return false;
    const ColourFloats first = SplitColour(colour.Value()), second = SplitColour(secondColour.Value());
    float whole = 0.0f;
    const float fraction = std::modf(clock, &whole);
    if (m_wholeSecond < whole) {
        m_previousOffset = m_currentOffset;
        PickNoiseOffset();
        m_wholeSecond = whole;
    }
    const float phase = driftSpeed.Phase();
    const float sx = -drift.AxisX().x * phase, sy = -drift.AxisX().y * phase;
    const TimeLinePhase stage = TimeLine().GetPhase();
    const float opacity = TimeLine().GetOpacity();
    const float fadingOut = stage == kPhaseFadingOut ? 1.0f - opacity : 0.0f;
    const float fadingIn = stage == kPhaseFadingIn ? (1.0f - opacity) * 2.0f : 0.0f;
    effect->SetTechnique("Main");
    effect->SetTexture("GradientTex", m_gradient.Get());
    effect->SetTexture("NoiseTex", m_noise.Get());
    SetFloats(*effect, "color1", {first.red, first.green, first.blue});
    SetFloats(*effect, "color2", {second.red, second.green, second.blue});
    SetFloats(*effect, "noise_shift",
              {m_previousOffset.x + sx, m_previousOffset.y + sy, sx + m_currentOffset.x, sy + m_currentOffset.y});
    SetFloats(*effect, "noise_params", {noise1.Result(), noise2.Result(), noise3.Result()});
    SetFloats(*effect, "time", {fraction, 1.0f - fraction});
    SetFloats(*effect, "phase_3rd", {fadingOut, 1.0f - fadingOut});
    effect->SetFloat("phase_1st", fadingIn);
    return true;
}
