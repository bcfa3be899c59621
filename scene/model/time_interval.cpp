#include "scene/model/time_interval.h"

#include <algorithm>
#include <array>
#include <cmath>

std::optional<TimeInterval> TimeInterval::FromStored(float start, float end, float fullFrom, float fullTo)
{
    std::array<float, 4> values{start, end, fullFrom, fullTo};
    if (!std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); }))
        return std::nullopt;
    std::sort(values.begin(), values.end());
    return TimeInterval{values[0], values[3], values[1], values[2]};
}

float TimeInterval::Envelope(float t) const
{
    float opacity;
    if (!(t >= start && t <= end)) // a NaN time is outside too
        opacity = 0.0f;
    else if (t < fullFrom)
        opacity = (t - start) / (fullFrom - start);
    else if (t < fullTo)
        opacity = 1.0f;
    else
        opacity = end > fullTo ? 1.0f - (t - fullTo) / (end - fullTo) : 1.0f;
    return std::clamp(opacity, 0.0f, 1.0f);
}

TimeLinePhase TimeInterval::Phase(float t) const
{
    if (!(t >= start && t <= end))
        return kPhaseHidden;
    if (t < fullFrom)
        return kPhaseFadingIn;
    if (t < fullTo)
        return kPhaseShown;
    return kPhaseFadingOut;
}

bool TimeIntervalSet::Insert(const TimeInterval& interval)
{
    return m_intervals.insert(interval).second;
}

const TimeInterval* TimeIntervalSet::Find(float t) const
{
    if (std::isnan(t))
        return nullptr;
    const TimeInterval probe{t, t + 3.0f, t, t};
    const auto at = m_intervals.lower_bound(probe);
    if (at == m_intervals.end() || EndsBefore()(probe, *at))
        return nullptr;
    return &*at;
}
