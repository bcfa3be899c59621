// Frame stepping of a sprite system's picture: a copy of the image
// sequence and its own frame index, moved on the animation clock.
#pragma once

#include "scene/resources/texture_sequence.h"

template <class Geometry>
class AnimatedTexture : public Geometry {
public:
    using Geometry::Geometry;

    // The frame index and the time of the last change stay.
    void SetSequence(const TextureSequence& sequence) { m_sequence = sequence; }

    // Whether the frame changed at animation-clock value p.
    bool Step(float p)
    {
        const auto& durations = m_sequence.durations;
        if (durations.empty() || p - m_lastChange < durations[m_frameIndex % durations.size()])
            return false;
        m_lastChange = p;
        m_frameIndex = static_cast<unsigned>((m_frameIndex + 1) % durations.size());
        return true;
    }

    // The frame at the index, counted over the frames themselves (the
    // document counts durations apart); null without frames.
    IDirect3DTexture9* CurrentFrame() const
    {
        const auto& frames = m_sequence.Frames();
        return frames.empty() ? nullptr : frames[m_frameIndex % frames.size()];
    }

    unsigned FrameIndex() const { return m_frameIndex; }
    const TextureSequence& Sequence() const { return m_sequence; }

private:
    TextureSequence m_sequence;
    unsigned m_frameIndex = 0;
    float m_lastChange = 0.0f;
};
