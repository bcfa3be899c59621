// A pixel shader holding a linked program: what an effect pass sets on the
// device. Draws while it is set run its program, with the fixed-function
// vertex transform when the program brings none of its own.
#pragma once

#include <memory>
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

    pipeline::LinkedProgram& program() const { return *program_; }

private:
    ProgramShader(Device& device, std::unique_ptr<pipeline::LinkedProgram> program);
    ~ProgramShader();

    Device* device_;
    ResourceLifetime lifetime_;
    std::unique_ptr<pipeline::LinkedProgram> program_;
};

inline ProgramShader* AsProgramShader(IDirect3DPixelShader9* shader) { return dynamic_cast<ProgramShader*>(shader); }

}  // namespace platform::d3d9
