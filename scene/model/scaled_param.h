// Unsigned parameters with a derived result offset + factor x value that
// follows the value through the parameter's own notification.
#pragma once

#include "scene/model/float_convert.h"
#include "scene/model/undo_ctrl.h"

#include <cstdint>
#include <type_traits>

template <typename T>
class UINTSclaleTo : public MediaParamT<unsigned int>, public MediaControlT<MediaParamT<unsigned int>> {
public:
    explicit UINTSclaleTo(unsigned int value = 0, float factor = 1.0f, float offset = 0.0f)
        : MediaParamT<unsigned int>(value), MediaControlT<MediaParamT<unsigned int>>(this),
          m_factor(factor), m_offset(offset)
    {
        AttachSelf();
    }
    UINTSclaleTo(const UINTSclaleTo& other)
        : MediaParamT<unsigned int>(other), MediaControlT<MediaParamT<unsigned int>>(this),
          m_factor(other.m_factor), m_offset(other.m_offset)
    {
        AttachSelf();
    }

    void OnChanged(MediaControl*) override
    {
        const float sum = m_offset + m_factor * static_cast<float>(Value());
        if constexpr (std::is_same_v<T, unsigned char>)
            m_result = static_cast<unsigned char>(SaturatingTruncate<int64_t>(sum)); // truncation, low byte
        else
            m_result = sum;
    }

    T Result() const { return m_result; }
    float Factor() const { return m_factor; }
    float Offset() const { return m_offset; }
    // The result follows at the next notification.
    void SetFactor(float factor) { m_factor = factor; }
    void SetOffset(float offset) { m_offset = offset; }

private:
    void AttachSelf()
    {
        Attach(static_cast<MediaControl*>(this));
        NotifyControls(nullptr);
    }

    T m_result{};
    float m_factor;
    float m_offset;
};

// Hundredths of a second in, seconds out.
class TimeParam : public UINTSclaleTo<float> {
public:
    explicit TimeParam(unsigned int hundredths = 0) : UINTSclaleTo<float>(hundredths, 0.01f) {}
};

// A speed setting whose result is phase units per second; Advance
// integrates it over time.
class MediaSpeedParam : public UINTSclaleTo<float> {
public:
    using UINTSclaleTo<float>::UINTSclaleTo;

    // Frame steps are capped at 0.2 s; time running backwards restarts there.
    void Advance(float time);

    float Step() const { return m_step; }
    float Phase() const { return m_phase; }
    float LastTime() const { return m_lastTime; }
    // Phase and the time of the last advance back to 0.
    void Restart()
    {
        m_phase = 0.0f;
        m_lastTime = 0.0f;
    }
    // Takes over the phase and the time of the last advance.
    void CopyProgress(const MediaSpeedParam& other)
    {
        m_phase = other.m_phase;
        m_lastTime = other.m_lastTime;
    }

private:
    float m_step = 0.0f;
    float m_phase = 0.0f;
    float m_lastTime = 0.0f;
};

// Emission rate of particle generators, in particles per second.
class PerSecondCounter : public UINTSclaleTo<float> {
public:
    using UINTSclaleTo<float>::UINTSclaleTo;

    float LastEmission() const { return m_lastEmission; }
    void SetLastEmission(float time) { m_lastEmission = time; }

private:
    float m_lastEmission = 0.0f;
};

class PerSecondCounterRnd : public PerSecondCounter {
public:
    using PerSecondCounter::PerSecondCounter;
};

template <typename T>
class MediaFloat;

// Scaled value of the sprite systems.
template <>
class MediaFloat<unsigned int> : public UINTSclaleTo<float> {
public:
    using UINTSclaleTo<float>::UINTSclaleTo;
};
