// What a particle does over time: one step of one behaviour.
#pragma once

#include <memory>

class Particle;

class PProcess {
public:
    virtual ~PProcess() = default;
    // Advances by dt seconds; false when the particle has ended.
    virtual bool Process(float dt, Particle& p) = 0;
    virtual std::unique_ptr<PProcess> Clone() const = 0;
};

// Clone as a plain copy of the kind's fields.
template <class Kind>
class PProcessT : public PProcess {
public:
    std::unique_ptr<PProcess> Clone() const override
    {
        return std::make_unique<Kind>(static_cast<const Kind&>(*this));
    }
};
