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

namespace {

// a comes before b when it ends before b starts.
bool EndsBefore(const TimeInterval& a, const TimeInterval& b)
{
    return a.end < b.start;
}

} // namespace

bool TimeIntervalSet::Insert(const TimeInterval& interval)
{
    const auto at = std::lower_bound(m_intervals.begin(), m_intervals.end(), interval, EndsBefore);
    if (at != m_intervals.end() && !EndsBefore(interval, *at))
        return false;
    m_intervals.insert(at, interval);
    return true;
}

const TimeInterval* TimeIntervalSet::Find(float t) const
{
    if (std::isnan(t))
        return nullptr;
    const TimeInterval probe{t, t + 3.0f, t, t};
    const auto at = std::lower_bound(m_intervals.begin(), m_intervals.end(), probe, EndsBefore);
    if (at == m_intervals.end() || EndsBefore(probe, *at))
        return nullptr;
    return &*at;
}
