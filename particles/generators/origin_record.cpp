#include "particles/generators/origin_record.h"

#include <utility>

void OriginRecord::Advance(float dt)
{
    timeLeft -= dt;
    for (const OriginCallback& callback : callbacks)
        callback.function(*this, dt, callback.parameters);
}

void OriginRecord::AddCallback(OriginFunction function, std::vector<float> parameters)
{
    callbacks.push_back(OriginCallback{std::move(parameters), function});
}

void OriginMove(OriginRecord& record, float dt, const std::vector<float>&)
{
    record.position += record.velocity * dt + record.acceleration * (dt * dt * 0.5f);
    record.velocity += record.acceleration * dt;
}

void OriginGrow(OriginRecord& record, float dt, const std::vector<float>& p)
{
    record.size += p[0] * dt;
}

void OriginFadeIn(OriginRecord& record, float dt, const std::vector<float>& p)
{
    if (p[1] < record.timeLeft)
        record.alpha += p[0] * dt;
}

void OriginFadeOut(OriginRecord& record, float dt, const std::vector<float>& p)
{
    if (p[1] > record.timeLeft)
        record.alpha -= p[0] * dt;
}

void OriginTurn(OriginRecord& record, float dt, const std::vector<float>& p)
{
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, dt * 3.1415927f * p[0] / 180.0f);
    D3DXVec3TransformCoord(&record.axisU, &record.axisU, &rotation);
    D3DXVec3TransformCoord(&record.axisV, &record.axisV, &rotation);
}
