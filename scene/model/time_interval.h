// Explicit showing intervals of a time line, in seconds.
#pragma once

#include <optional>
#include <set>

// Phase codes shared by the time line's states and intervals.
enum TimeLinePhase : int {
    kPhaseShown = 0,
    kPhaseHidden = 1,
    kPhaseFadingIn = 2,
    kPhaseFadingOut = 3,
};

struct TimeInterval {
    // From stored values in the order start, end, fullFrom, fullTo. Values
    // from a document are not trusted: a non-finite one drops the interval,
    // and the four are put in order (start <= fullFrom <= fullTo <= end)
    // whatever order they came in.
    static std::optional<TimeInterval> FromStored(float start, float end, float fullFrom, float fullTo);

    // Opacity in [0, 1]: ramps up to fullFrom, full until fullTo, down to end.
    float Envelope(float t) const;
    TimeLinePhase Phase(float t) const;

    float start = 0;
    float end = 0;
    float fullFrom = 0;
    float fullTo = 0;
};

// Disjoint intervals in time order; an interval that overlaps or touches
// one already held is not added. Held intervals never overlap, so "ends
// before" orders them, and an interval that neither ends before nor starts
// after a held one collides with it: adding one is a single ordered lookup,
// however the intervals come.
class TimeIntervalSet {
public:
    bool Insert(const TimeInterval& interval);
    // The first interval that ends at t or later, provided it starts no
    // more than 3 s after t; null when there is none.
    const TimeInterval* Find(float t) const;

    std::size_t Size() const { return m_intervals.size(); }
    bool Empty() const { return m_intervals.empty(); }
    auto begin() const { return m_intervals.begin(); }
    auto end() const { return m_intervals.end(); }

private:
    struct EndsBefore {
        bool operator()(const TimeInterval& a, const TimeInterval& b) const { return a.end < b.start; }
    };

    std::set<TimeInterval, EndsBefore> m_intervals;
};
