// A generator that sends moving emitters, the origin records, out of its
// centre at a steady rate, each flying off in its direction for a fixed
// time; kinds attach what the records do and draw them.
#pragma once

#include <list>

#include "particles/generators/origin_record.h"
#include "particles/generators/static_generator.h"
#include "scene/model/media_direction.h"

class KV_ParticleOriginGenerator : public KV_StaticGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // Advances the records' clock and runs them.
    void Update(float t, KV_ParticlesObj& object) override;

    // The records advanced, then new ones for the time that came, at the
    // rate times the time line's opacity; never more than one list holds.
    void RunOrigins(float step);
    // Every record a step on; those whose time ran out go.
    void AdvanceOriginRecords(float step);
    // A record at the centre flying in the direction at 100 pixels a
    // second, living the origin lifetime; kinds attach their callbacks.
    virtual OriginRecord MakeOrigin();

    // The five values, the centre, then the textured record; kinds embed
    // these fields after their own, untagged.
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // Seconds an emitter lives.
    UINTSclaleTo<float> originLifetime{0, 0.04f};
    // Emitters a second.
    MediaParamT<unsigned int> originRate;
    MediaParamT<unsigned int> thirdValue;
    // Only the direction is stored: the spread stays 0.
    MediaSector direction;
    // The emitters' clock.
    MediaSpeedParam originSpeed{0, 0.02f};
    std::list<OriginRecord> originRecords;
    // Scaled seconds towards the next record.
    float originDebt = 0.0f;
};
