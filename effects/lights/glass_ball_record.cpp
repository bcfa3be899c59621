// The glass ball's record, version 1: four picture links, the motion speed,
// the ball's offset, size and lens, five switches, the gradient colours,
// then the light's part. Every version is read with this layout.
#include "effects/lights/glass_ball_light.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr DWORD kGlassBallVersion = 1;

const RegisterReader<KV_GlassBallLight, KV_2D_Light> registration(L"KV_GlassBallLight");

} // namespace

void KV_GlassBallLight::Read(KV_IOF_Virtual& archive, DWORD)
{
    for (KV_ImageFileLink* link : {&overlayImage1, &overlayImage2, &baseImage, &backgroundPicture})
        ReadFileLink(archive, *link);
    UINT speed = motionSpeed.Value();
    archive.ReadUInt(&speed);
    motionSpeed.SetValue(speed);
    archive.ReadPoint(&ballOffset.Value());
    archive.ReadUInt(&ballSize.Value());
    archive.ReadUInt(&lensStrength.Value());
    for (MediaParamT<int>* flag : {&showOverlay1, &showOverlay2, &showBase, &usePictureBackground, &motionMode})
        archive.ReadInt(&flag->Value());
    archive.ReadDword(&gradientTop.Value());
    archive.ReadDword(&gradientBottom.Value());
    ReadRecord(archive, *this);
}

void KV_GlassBallLight::Write(KV_IOF_Virtual& archive) const
{
    const KV_ImageFileLink* links[] = {&overlayImage1, &overlayImage2, &baseImage, &backgroundPicture};
    if (g_currentDocResManager) {
        for (const KV_ImageFileLink* link : links)
            g_currentDocResManager->RegisterImageLink(*link);
    }
    WriteRecordFrame(archive, L"KV_GlassBallLight", kGlassBallVersion);
    for (const KV_ImageFileLink* link : links)
        WriteFileLink(archive, *link);
    archive.WriteUInt(&motionSpeed.Value());
    archive.WritePoint(&ballOffset.Value());
    archive.WriteUInt(&ballSize.Value());
    archive.WriteUInt(&lensStrength.Value());
    for (const MediaParamT<int>* flag : {&showOverlay1, &showOverlay2, &showBase, &usePictureBackground, &motionMode})
        archive.WriteInt(&flag->Value());
    archive.WriteDword(&gradientTop.Value());
    archive.WriteDword(&gradientBottom.Value());
    KV_2D_Light::Write(archive);
}
