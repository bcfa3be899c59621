// A value that moves towards its target at a constant rate and stops there.
#pragma once

struct SmoothValue {
    void Advance(float step);
    // A rate of 0 keeps the current rate; its sign always points at the target.
    void SetTarget(float target, float rate);

    float current = 0.0f;
    float target = 0.0f;
    float rate = 0.0f;
};
