// The camera's record, version 2: enable, zoom hundredths, speed, and from
// version 2 the border link.
#include "scene/render/kvm_camera.h"

#include <cmath>
#include <numbers>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"
#include "scene/render/view_context.h"

namespace {

constexpr DWORD kCameraVersion = 2;
constexpr float kRestLength = 0.5f;
constexpr float kShortestMove = 5.0f;

float RandomUnit() { return static_cast<float>(kv_rand()) / KV_RAND_MAX; }

} // namespace

KVM_Camera::KVM_Camera() : borderLink(KV_FileLink3::FromResource(6, L"common_res.dll")) {}

std::unique_ptr<KVM_Camera> KVM_Camera::ReadNew(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    auto camera = std::make_unique<KVM_Camera>();
    archive.ReadInt(&camera->enable.Value());
    UINT value = 0;
    archive.ReadUInt(&value);
    camera->zoom.SetValue(value);
    value = 0;
    archive.ReadUInt(&value);
    camera->speed.SetValue(value);
    if (version > 1)
        ReadFileLink(archive, camera->borderLink);
    return camera;
}

void KVM_Camera::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KVM_Camera", kCameraVersion);
    archive.WriteInt(&enable.Value());
    archive.WriteUInt(&zoom.Value());
    archive.WriteUInt(&speed.Value());
    WriteImageLink(archive, borderLink);
}

void KVM_Camera::Assign(const KVM_Camera& other)
{
    enable.SetValue(other.enable.Value());
    zoom.SetValue(other.zoom.Value());
    speed.SetValue(other.speed.Value());
    speed.CopyProgress(other.speed);
    mode.SetValue(other.mode.Value());
    borderLink.SetKey(other.borderLink.Key());
    segment = other.segment;
}

void KVM_Camera::SetMode(int newMode)
{
    mode.SetValue(newMode);
    segment = Segment{};
}

void KVM_Camera::FrameMove(float time)
{
    speed.Advance(time);
    float z = 1.0f, x = 0.0f, y = 0.0f;
    if (enable.Value() != 0 && mode.Value() == ModeWander) {
        const float phase = speed.Phase();
        if (phase >= segment.end)
            NextSegment(phase);
        z = zoom.Result();
        const float f =
            (1.0f - std::cos(std::numbers::pi_v<float> * (phase - segment.start) / (segment.end - segment.start))) /
            2.0f;
        x = segment.fromX + f * (segment.toX - segment.fromX);
        y = segment.fromY + f * (segment.toY - segment.fromY);
    }
    if (g_currentRenderContext)
        g_currentRenderContext->SetZoomPan(z, x, y);
}

void KVM_Camera::NextSegment(float phase)
{
    segment.start = phase;
    segment.fromX = segment.toX;
    segment.fromY = segment.toY;
    if (kv_rand() % 2 == 0) {
        segment.end = segment.start + kRestLength;
        return;
    }
    segment.toX = RandomUnit() * 2.0f - 1.0f;
    segment.toY = RandomUnit() * 2.0f - 1.0f;
    segment.end = segment.start + RandomUnit() * 2.0f + kShortestMove;
}
