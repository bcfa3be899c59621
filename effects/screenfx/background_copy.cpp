#include "effects/screenfx/background_copy.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/light/kv_abrender.h"

namespace {

constexpr DWORD kBackgroundCopyVersion = 1;

const RegisterReader<KV_BackgroundCopy, KV_ABObj_Constructor> registration(L"KV_BackgroundCopy");

} // namespace

KV_BackgroundCopy::KV_BackgroundCopy() : KV_FX_Constructor(75, 0) {}

std::unique_ptr<KV_FX_Constructor> KV_BackgroundCopy::Clone() const
{
    return std::make_unique<KV_BackgroundCopy>(*this);
}

void KV_BackgroundCopy::Render(KV_ABRender& renderer)
{
    if (!CanDrawScreenPass(renderer))
        return;
    const float e = copyFlagX.Value() != 0 ? 1.0f : 0.0f;
    const float f = copyFlagY.Value() != 0 ? 1.0f : 0.0f;
    const float dx = static_cast<float>(copyRect.extra1.Value());
    const float dy = static_cast<float>(copyRect.extra2.Value());
    SetFloats(*effect.Get(), "offset",
              {dx / static_cast<float>(renderer.GetPictureWidth()) + e,
               dy / static_cast<float>(renderer.GetPictureHeight()) + f});
    DrawScreenPass(renderer);
}

void KV_BackgroundCopy::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BackgroundCopy", kBackgroundCopyVersion);
    copyRect.Write(archive);
    archive.WriteInt(&copyFlagY.Value());
    archive.WriteInt(&copyFlagX.Value());
    KV_FX_Constructor::WriteRecord(archive);
}

void KV_BackgroundCopy::Read(KV_IOF_Virtual& archive, DWORD)
{
    copyRect.Read(archive);
    archive.ReadInt(&copyFlagY.Value());
    archive.ReadInt(&copyFlagX.Value());
    KV_FX_Constructor::ReadRecord(archive, *this);
}
