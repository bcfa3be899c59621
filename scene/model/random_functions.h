// Random draws shared by the compound parameters, effects and particles.
#pragma once

#include <d3dx9math.h>

// Degrees to radians with the single-precision pi the scene uses.
constexpr float kDegreesToRadians = 3.1415927f / 180.0f;

// a + rand() / 32767 * (b - a) in double precision: both ends are reachable.
float RandomFloat(float a, float b);

// (length, 0, 0) turned about z, then about y, by two uniform angles in
// [0, 360] degrees (not evenly spread over the sphere).
D3DXVECTOR3 RandomConeDirection(float length);
