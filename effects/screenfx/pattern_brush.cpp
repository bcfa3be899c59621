#include "effects/screenfx/pattern_brush.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kPatternBrushVersion = 1;
constexpr DWORD kPatternBrushCVersion = 1;
// The time line's speed follows the opacity.
constexpr int kOpacitySpeedMode = 1;

const RegisterReader<KV_PatternBrush, KV_ABObj_Constructor> registration(L"KV_PatternBrush");
const RegisterReader<KV_PatternBrushC, KV_ABObj_Constructor> registrationC(L"KV_PatternBrushC");

} // namespace

KV_PatternBrush::KV_PatternBrush() : KV_FX_Constructor(78, 50, 0.02f)
{
    TimeLine().speedMode.Value() = kOpacitySpeedMode;
}

std::unique_ptr<KV_FX_Constructor> KV_PatternBrush::Clone() const { return std::make_unique<KV_PatternBrush>(*this); }

void KV_PatternBrush::LoadResources(MaskSlot& slot)
{
    KV_FX_Constructor::LoadResources(slot);
    LoadPattern();
}

void KV_PatternBrush::LoadPattern()
{
    if (!g_currentDocResManager)
        return;
    pattern = patternLink.GetExtension() == L".dll" ? g_currentDocResManager->GetImageSequence(patternLink)
                                                     : g_currentDocResManager->GetImage(patternLink);
    patternFrame = 0;
}

// A frame shows until the phase has run past its duration.
void KV_PatternBrush::Update(float time)
{
    KV_FX_Constructor::Update(time);
    const float p = speed.Phase();
    if (p - patternSwitchTime < 0.0f)
        patternSwitchTime = p;
    const std::vector<float>& durations = pattern.durations;
    if (durations.empty())
        return;
    patternFrame %= durations.size();
    if (durations[patternFrame] < p - patternSwitchTime) {
        patternSwitchTime = p;
        patternFrame = (patternFrame + 1) % durations.size();
    }
}

void KV_PatternBrush::Render(KV_ABRender& renderer)
{
    const float pw = static_cast<float>(pattern.width);
    const float ph = static_cast<float>(pattern.height);
    const float z = patternZoom.Result();
    if (!CanDrawScreenPass(renderer) || ph == 0.0f || pw == 0.0f || z == 0.0f)
        return;
    ID3DXEffect& fx = *effect.Get();
    const float a = TimeLine().speedMode.Value() == kOpacitySpeedMode ? Opacity() : 1.0f;
    SetFloats(fx, "mix_color", {1.0f, 1.0f, 1.0f, a});
    const std::vector<IDirect3DTexture9*>& frames = pattern.Frames();
    if (!frames.empty())
        fx.SetTexture("Pattern", frames[patternFrame % frames.size()]);
    SetFloats(fx, "scale", {pw / ph, 1.0f});
    SetFloats(fx, "offset", {patternOffsetX.Result(), patternOffsetY.Result()});
    float sx = static_cast<float>(renderer.GetPictureWidth()) / (pw * z);
    float sy = static_cast<float>(renderer.GetPictureHeight()) / (ph * z);
    if (flipHorizontal.Value() != 0)
        sx = -sx;
    if (flipVertical.Value() != 0)
        sy = -sy;
    D3DXMATRIX scaling, rotation, m;
    D3DXMatrixScaling(&scaling, sx, sy, 1.0f);
    D3DXMatrixRotationZ(&rotation, Radians(static_cast<float>(patternAngle.Value())));
    D3DXMatrixMultiply(&m, &scaling, &rotation);
    SetFloats(fx, "coord_transf", {m._11, m._12, m._21, m._22});
    DrawScreenPass(renderer);
}

void KV_PatternBrush::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_PatternBrush::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_PatternBrush", kPatternBrushVersion);
    WriteImageLink(archive, patternLink);
    archive.WriteInt(&flipVertical.Value());
    archive.WriteInt(&flipHorizontal.Value());
    archive.WriteUInt(&patternAngle.Value());
    archive.WriteUInt(&patternZoom.Value());
    archive.WriteUInt(&patternOffsetX.Value());
    archive.WriteUInt(&patternOffsetY.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

void KV_PatternBrush::Read(KV_IOF_Virtual& archive, DWORD) { ReadFields(archive); }

void KV_PatternBrush::ReadFields(KV_IOF_Virtual& archive)
{
    ReadFileLink(archive, patternLink);
    archive.ReadInt(&flipVertical.Value());
    archive.ReadInt(&flipHorizontal.Value());
    archive.ReadUInt(&patternAngle.Value());
    ReadScaledValue(archive, patternZoom);
    ReadScaledValue(archive, patternOffsetX);
    ReadScaledValue(archive, patternOffsetY);
    KV_FX_Constructor::ReadRecord(archive, *this);
}

void KV_PatternBrushC::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_PatternBrushC", kPatternBrushCVersion);
    KV_PatternBrush::WriteRecord(archive);
}

std::unique_ptr<KV_FX_Constructor> KV_PatternBrushC::Clone() const
{
    return std::make_unique<KV_PatternBrushC>(*this);
}

// The inner record's class name and version are read and not looked at.
void KV_PatternBrushC::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadRecordVersion(archive);
    ReadFields(archive);
}
