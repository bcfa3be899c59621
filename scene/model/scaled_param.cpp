#include "scene/model/scaled_param.h"

#include <algorithm>

void MediaSpeedParam::Advance(float time)
{
    if (m_lastTime > time)
        m_lastTime = time;
    m_step = Result() * std::min(time - m_lastTime, 0.2f);
    m_phase += m_step;
    m_lastTime = time;
}
