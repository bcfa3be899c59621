#include "effects/screenfx/move_fx.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kMoveVersion = 2;

const RegisterReader<KV_MoveFX, KV_ABObj_Constructor> registration(L"KV_MoveFX");

} // namespace

KV_MoveFX::KV_MoveFX() : KV_DirectionBased(91, 50, 0.02f) { SetScaledDefault(directionStrength, 50, 0.0002f); }

std::unique_ptr<KV_FX_Constructor> KV_MoveFX::Clone() const { return std::make_unique<KV_MoveFX>(*this); }

// The offset runs from -a (forward) to b (back) along the direction.
void KV_MoveFX::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float a = directionStrength.Result();
    const float b = returnStrength.Result();
    const float phase = speed.Phase();
    const float c = moveMode.Value() == 1
                        ? static_cast<float>(NoiseOctaves(static_cast<double>(50.0f * phase), 75.0, 0.5, 1))
                        : Sin(phase);
    const float e = -(c * (a + b) / 2.0f + (a - b) / 2.0f);
    const float opacity = Opacity();
    moveOffset = {opacity * e * direction.x, opacity * e * direction.y};
}

void KV_MoveFX::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    SetFloats(*effect.Get(), "Direction", {moveOffset.x, moveOffset.y});
    DrawScreenPass(renderer);
}

void KV_MoveFX::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_MoveFX", kMoveVersion);
    archive.WriteInt(&moveMode.Value());
    archive.WriteUInt(&returnStrength.Value());
    KV_DirectionBased::WriteRecord(archive);
}

// An old record swings symmetrically: its return takes the whole forward
// strength.
void KV_MoveFX::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadInt(&moveMode.Value());
    if (version >= 2)
        ReadScaledValue(archive, returnStrength);
    KV_DirectionBased::ReadRecord(archive, *this);
    if (version < 2) {
        returnStrength.SetFactor(directionStrength.Factor());
        returnStrength.SetOffset(directionStrength.Offset());
        returnStrength.StoreAndNotify(directionStrength.Value());
    }
}
