// The random fade cycle of a time line: hidden, fading in, shown, fading
// out, each state lasting until its end time.
#pragma once

#include "scene/model/time_interval.h"

#include <list>
#include <memory>

class KV_TimeLineControl;

// Itself the shown state.
class AnimationState {
public:
    virtual ~AnimationState() = default;

    virtual float GetAlpha(float t) const;
    virtual void Enter(float t, const KV_TimeLineControl& timeLine);
    virtual TimeLinePhase GetPhase() const;

    float EndTime() const { return m_end; }
    void ResetEndTime() { m_end = 0.0f; }

protected:
    float m_end = 0.0f;
};

class AnimationState_Invisible : public AnimationState {
public:
    float GetAlpha(float t) const override;
    void Enter(float t, const KV_TimeLineControl& timeLine) override;
    TimeLinePhase GetPhase() const override;
};

// A fade from its start time to its end time.
class AnimationState_Fade : public AnimationState {
protected:
    // Progress in [0, 1]; a fade of no length is complete at once.
    float Progress(float t) const;
    void EnterFade(float t, float seconds);

private:
    float m_start = 0.0f;
};

class AnimationState_FadeIn : public AnimationState_Fade {
public:
    float GetAlpha(float t) const override;
    void Enter(float t, const KV_TimeLineControl& timeLine) override;
    TimeLinePhase GetPhase() const override;
};

class AnimationState_FadeOut : public AnimationState_Fade {
public:
    float GetAlpha(float t) const override;
    void Enter(float t, const KV_TimeLineControl& timeLine) override;
    TimeLinePhase GetPhase() const override;
};

class AnimationStateMachine {
public:
    AnimationStateMachine();
    AnimationStateMachine(const AnimationStateMachine&) = delete;
    AnimationStateMachine& operator=(const AnimationStateMachine&) = delete;

    // The object's local time for global time t; also moves the cycle on
    // in mode 1 and, in speed mode 2, runs the clock at the opacity.
    float LocalTime(const KV_TimeLineControl& timeLine, float t);
    // At most one state change per call.
    void Advance(float t, const KV_TimeLineControl& timeLine);
    // Back to the start of the cycle.
    void Reset();

    const AnimationState& Current() const { return **m_cursor; }
    float LastTime() const { return m_lastTime; }

private:
    float m_lastTime = 0.0f;
    float m_localTime = 0.0f;
    std::list<std::unique_ptr<AnimationState>> m_states;
    std::list<std::unique_ptr<AnimationState>>::iterator m_cursor;
};
