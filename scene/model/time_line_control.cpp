#include "scene/model/time_line_control.h"

#include <algorithm>

KV_TimeLineControl::KV_TimeLineControl() : m_machine(std::make_unique<AnimationStateMachine>()) {}

KV_TimeLineControl::KV_TimeLineControl(const KV_TimeLineControl& other)
    : mode(other.mode), speedMode(other.speedMode), invisibleRange(other.invisibleRange),
      visibleRange(other.visibleRange), fadeIn(other.fadeIn), fadeOut(other.fadeOut),
      ownerWords(other.ownerWords), m_intervals(other.m_intervals),
      m_machine(std::make_unique<AnimationStateMachine>())
{
}

float KV_TimeLineControl::GetOpacity() const
{
    float opacity;
    switch (mode.Value()) {
    case kModeIntervals: {
        const TimeInterval* interval = CurrentInterval();
        opacity = interval ? interval->Envelope(intervalTime) : 0.0f;
        break;
    }
    case kModeAlways:
        opacity = 1.0f;
        break;
    default:
        opacity = m_machine->Current().GetAlpha(m_machine->LastTime());
        break;
    }
    // Callers turn the opacity into bytes: keep it in [0, 1], NaN as 0.
    return opacity >= 0.0f ? std::min(opacity, 1.0f) : 0.0f;
}

TimeLinePhase KV_TimeLineControl::GetPhase() const
{
    switch (mode.Value()) {
    case kModeIntervals: {
        const TimeInterval* interval = CurrentInterval();
        return interval ? interval->Phase(intervalTime) : kPhaseHidden;
    }
    case kModeAlways:
        return kPhaseShown;
    default:
        return m_machine->Current().GetPhase();
    }
}

float KV_TimeLineControl::GetLength() const
{
    if (mode.Value() == kModeIntervals)
        if (const TimeInterval* interval = CurrentInterval())
            return interval->end - interval->start;
    return fadeOut.Result() + fadeIn.Result() + static_cast<float>(visibleRange.minimum.Value()) * 0.01f;
}

bool KV_TimeLineControl::AddInterval(float start, float end, float fullFrom, float fullTo)
{
    const auto interval = TimeInterval::FromStored(start, end, fullFrom, fullTo);
    return interval && m_intervals.Insert(*interval);
}
