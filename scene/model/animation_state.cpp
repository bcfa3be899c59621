#include "scene/model/animation_state.h"

#include "scene/model/time_line_control.h"

#include <algorithm>

float AnimationState::GetAlpha(float) const { return 1.0f; }
void AnimationState::Enter(float t, const KV_TimeLineControl& timeLine)
{
    m_end = t + timeLine.visibleRange.PickSeconds();
}
TimeLinePhase AnimationState::GetPhase() const { return kPhaseShown; }

float AnimationState_Invisible::GetAlpha(float) const { return 0.0f; }
void AnimationState_Invisible::Enter(float t, const KV_TimeLineControl& timeLine)
{
    m_end = t + timeLine.invisibleRange.PickSeconds();
}
TimeLinePhase AnimationState_Invisible::GetPhase() const { return kPhaseHidden; }

float AnimationState_Fade::Progress(float t) const
{
    if (!(m_end > m_start))
        return 1.0f;
    return std::clamp((t - m_start) / (m_end - m_start), 0.0f, 1.0f);
}

void AnimationState_Fade::EnterFade(float t, float seconds)
{
    m_start = t;
    m_end = t + seconds;
}

float AnimationState_FadeIn::GetAlpha(float t) const { return Progress(t); }
void AnimationState_FadeIn::Enter(float t, const KV_TimeLineControl& timeLine)
{
    EnterFade(t, timeLine.fadeIn.Result());
}
TimeLinePhase AnimationState_FadeIn::GetPhase() const { return kPhaseFadingIn; }

float AnimationState_FadeOut::GetAlpha(float t) const { return 1.0f - Progress(t); }
void AnimationState_FadeOut::Enter(float t, const KV_TimeLineControl& timeLine)
{
    EnterFade(t, timeLine.fadeOut.Result());
}
TimeLinePhase AnimationState_FadeOut::GetPhase() const { return kPhaseFadingOut; }

AnimationStateMachine::AnimationStateMachine()
{
    m_states.push_back(std::make_unique<AnimationState_Invisible>());
    m_states.push_back(std::make_unique<AnimationState_FadeIn>());
    m_states.push_back(std::make_unique<AnimationState>());
    m_states.push_back(std::make_unique<AnimationState_FadeOut>());
    m_cursor = m_states.begin();
}

void AnimationStateMachine::Advance(float t, const KV_TimeLineControl& timeLine)
{
    if (!(t > (*m_cursor)->EndTime()))
        return;
    if (++m_cursor == m_states.end())
        m_cursor = m_states.begin();
    (*m_cursor)->Enter(t, timeLine);
}

float AnimationStateMachine::LocalTime(const KV_TimeLineControl& timeLine, float t)
{
    float dt = t - m_lastTime;
    m_lastTime = t;
    if (timeLine.mode.Value() == KV_TimeLineControl::kModeCycle)
        Advance(t, timeLine);
    if (timeLine.speedMode.Value() == KV_TimeLineControl::kSpeedFollowsOpacity)
        dt *= timeLine.GetOpacity();
    m_localTime += dt;
    return m_localTime;
}

void AnimationStateMachine::Reset()
{
    m_lastTime = 0.0f;
    m_localTime = 0.0f;
    for (auto& state : m_states)
        state->ResetEndTime();
    m_cursor = m_states.begin();
}
