// The time line of a scene-object description: when the object shows and
// how strongly (always, in a random fade cycle, or in explicit intervals).
#pragma once

#include "scene/model/animation_state.h"
#include "scene/model/duration_range.h"
#include "scene/model/kv_iof_item.h"
#include "scene/model/scaled_param.h"
#include "scene/model/time_interval.h"

#include <array>
#include <cstdint>
#include <memory>

class KV_TimeLineControl : public KV_IOF_Item {
public:
    enum Mode : int { kModeAlways = 0, kModeCycle = 1, kModeIntervals = 2 };
    // Any other speed mode runs the local clock with the global one.
    static constexpr int kSpeedFollowsOpacity = 2;

    KV_TimeLineControl();
    // Copies the settings and intervals; the copy starts its own clock.
    KV_TimeLineControl(const KV_TimeLineControl& other);
    KV_TimeLineControl& operator=(const KV_TimeLineControl&) = delete;
    ~KV_TimeLineControl() override = default;
    void Write(KV_IOF_Virtual& archive) const override;

    // Version 1, whatever the stored version: modes, ranges and fades, then
    // the intervals. Fades are set and notified so that their seconds follow.
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    float GetOpacity() const;
    TimeLinePhase GetPhase() const;
    // Seconds of the current showing.
    float GetLength() const;

    // Adds an interval read in stored order; malformed ones are dropped.
    bool AddInterval(float start, float end, float fullFrom, float fullTo);
    const TimeIntervalSet& Intervals() const { return m_intervals; }

    AnimationStateMachine& Machine() { return *m_machine; }
    const AnimationStateMachine& Machine() const { return *m_machine; }

    MediaParamT<int> mode{kModeAlways};
    MediaParamT<int> speedMode{0};
    DurationRange invisibleRange;
    DurationRange visibleRange;
    TimeParam fadeIn{50};
    TimeParam fadeOut{50};
    // Where the intervals are evaluated; set from outside every frame.
    float intervalTime = 0.0f;
    // Set by some descriptions' constructors; carried by copies, never stored.
    std::array<int32_t, 3> ownerWords{};

private:
    const TimeInterval* CurrentInterval() const { return m_intervals.Find(intervalTime); }

    TimeIntervalSet m_intervals;
    std::unique_ptr<AnimationStateMachine> m_machine;
};
