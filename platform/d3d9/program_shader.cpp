#include "d3d9/program_shader.h"

#include "d3d9/device.h"

namespace platform::d3d9 {

HRESULT ProgramShader::Create(IDirect3DDevice9* device, const pipeline::ProgramSources& sources, std::string& log,
                              IDirect3DPixelShader9** shader) {
    *shader = nullptr;
    auto* owner = dynamic_cast<Device*>(device);
    if (!owner) return D3DERR_INVALIDCALL;
    if (!owner->WindowAlive()) return E_FAIL;
    // Linked where the program lives; the caller waits for the verdict.
    pipeline::LinkedProgram* program = nullptr;
    bool linked = true;
    owner->commands().Call([gl = owner->gl(), from = &sources, into = &program, message = &log, ok = &linked] {
        *ok = gl->usable;
        if (*ok) *into = pipeline::LinkedProgram::Link(*from, *message).release();
    });
    if (!linked) return E_FAIL;
    if (!program) return D3DERR_INVALIDCALL;
    *shader = new ProgramShader(*owner, program);
    return D3D_OK;
}

ProgramShader::ProgramShader(Device& device, pipeline::LinkedProgram* program)
    : device_(&device), lifetime_(device, 1), program_(program), samplerUnits_(program->samplerUnits()) {}

ProgramShader::~ProgramShader() { device_->Retire(program_); }

void ProgramShader::StageUniforms(std::span<const pipeline::UniformValue> values) {
    device_->commands().RecordWithData(values.data(), values.size_bytes(),
                                       [program = program_, count = values.size()](const std::byte* data) {
                                           program->Stage({reinterpret_cast<const pipeline::UniformValue*>(data),
                                                           count});
                                       });
}

STDMETHODIMP ProgramShader::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirect3DPixelShader9)) {
        AddRef();
        *object = static_cast<IDirect3DPixelShader9*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ProgramShader::Release() {
    return lifetime_.Release([this] { delete this; });
}

void ProgramShader::ReleaseHold() {
    lifetime_.ReleaseHold([this] { delete this; });
}

STDMETHODIMP ProgramShader::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

}  // namespace platform::d3d9
