// The GL side of a texture, on the device's thread: one GL texture with a
// level for each of the texture's, defined by the uploads the calling
// thread queues from its levels' bytes (a level never written samples as
// the zeros its bytes start as), or render-target storage drawn into.
#pragma once

#include <vector>

#include <d3d9.h>

#include "d3d9/format_table.h"
#include "d3d9/gl_object.h"
#include "d3d9/texture_binding.h"

namespace platform::d3d9 {

class TextureGl final : public TextureBinding {
public:
    struct LevelSize {
        UINT width = 0, height = 0;
    };
    TextureGl(const FormatInfo& format, std::vector<LevelSize> levels, bool renderTarget)
        : format_(&format), levels_(std::move(levels)), defined_(levels_.size()), renderTarget_(renderTarget) {}

    void CreateRenderTargetStorage();
    // bytes: the level as LockRect lays it out (RowPitch rows).
    void Upload(UINT level, const BYTE* bytes);
    void SetLod(DWORD lod) { lod_ = lod; }
    // The GL texture of a render-target texture; 0 for any other.
    GLuint RenderTargetName() const { return renderTarget_ ? texture_.name() : 0; }
    GLuint GlTexture() override;
    bool SignedTexels() const override { return format_->isSigned; }
    void Abandon() { texture_.Abandon(); }

private:
    // Binds the texture, made on first use; whatever was bound goes back after.
    template <typename Work>
    void WithTextureBound(Work work);
    void Define(UINT level, const BYTE* bytes);

    const FormatInfo* format_;
    std::vector<LevelSize> levels_;
    std::vector<bool> defined_;
    bool renderTarget_;
    GlObject texture_;
    DWORD lod_ = 0;
    DWORD appliedLod_ = 0;  // the GL texture's base level
};

}  // namespace platform::d3d9
