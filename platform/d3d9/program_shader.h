// A pixel shader holding a linked program: what an effect pass sets on the
// device. Draws while it is set run its program, with the fixed-function
// vertex transform when the program brings none of its own. The program
// is linked on the device's thread and lives there.
#pragma once

#include <memory>
#include <span>
#include <string>

#include <d3d9.h>

#include "d3d9/pipeline/linked_program.h"
#include "d3d9/resource_hold.h"
#include "d3d9/resource_lifetime.h"

namespace platform::d3d9 {

class Device;

class ProgramShader final : public IDirect3DPixelShader9, public ResourceHold {
public:
    // D3DERR_INVALIDCALL, with the message in log, when the sources do not
    // build; E_FAIL when the device cannot draw now (its window is gone).
    static HRESULT Create(IDirect3DDevice9* device, const pipeline::ProgramSources& sources, std::string& log,
                          IDirect3DPixelShader9** shader);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return lifetime_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override;
    void AddHold() override { lifetime_.AddHold(); }
    void ReleaseHold() override;
    STDMETHODIMP GetDevice(IDirect3DDevice9** device) override;

    // For the device's commands.
    pipeline::LinkedProgram& program() const { return *program_; }
    // Bit n set when the program reads sampler n.
    uint32_t samplerUnits() const { return samplerUnits_; }
    // Queues the values of the declared uniforms, in declaration order,
    // for the draws recorded after.
    void StageUniforms(std::span<const pipeline::UniformValue> values);

private:
    ProgramShader(Device& device, pipeline::LinkedProgram* program);
    ~ProgramShader();

    Device* device_;
    ResourceLifetime lifetime_;
    pipeline::LinkedProgram* program_;  // retired through the device
    uint32_t samplerUnits_;
};

inline ProgramShader* AsProgramShader(IDirect3DPixelShader9* shader) { return dynamic_cast<ProgramShader*>(shader); }

}  // namespace platform::d3d9
