// The application clock: seconds since the frame loop started, from the
// performance counter (or the multimedia timer where there is none).
#pragma once

class ApplicationClock {
public:
    // The first start makes now the origin.
    void Start();
    // Seconds since the origin.
    float Time() const;
    // Seconds since the previous call (or since the start).
    float Elapsed();

private:
    bool stopped_ = true;
    double start_ = 0;
    double stop_ = 0;
    double lastElapsed_ = 0;
};
