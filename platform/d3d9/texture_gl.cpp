#include "d3d9/texture_gl.h"

#include <algorithm>

#include "d3d9/dxt_decode.h"

namespace platform::d3d9 {

template <typename Work>
void TextureGl::WithTextureBound(Work work) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    const bool create = texture_.name() == 0;
    if (create) texture_ = GlObject(GlObject::Kind::Texture);
    glBindTexture(GL_TEXTURE_2D, texture_.name());
    if (create) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size() - 1));
        glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, format_->swizzle.data());
    }
    work();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void TextureGl::CreateRenderTargetStorage() {
    WithTextureBound([&] {
        for (UINT level = 0; level < levels_.size(); ++level) {
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format_->internalFormat,
                         static_cast<GLsizei>(levels_[level].width), static_cast<GLsizei>(levels_[level].height), 0,
                         format_->uploadFormat, format_->uploadType, nullptr);
        }
    });
}

void TextureGl::Define(UINT level, const BYTE* bytes) {
    const auto width = static_cast<GLsizei>(levels_[level].width);
    const auto height = static_cast<GLsizei>(levels_[level].height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the CPU copies' rows are 4-byte aligned
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (format_->blockSize > 1) {
        const auto pixels = DecodeDxt(format_->format, bytes, RowPitch(*format_, levels_[level].width),
                                      levels_[level].width, levels_[level].height);
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format_->internalFormat, width, height, 0,
                     format_->uploadFormat, format_->uploadType, pixels.data());
    } else {
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format_->internalFormat, width, height, 0,
                     format_->uploadFormat, format_->uploadType, bytes);
    }
    defined_[level] = true;
}

void TextureGl::Upload(UINT level, const BYTE* bytes) {
    WithTextureBound([&] { Define(level, bytes); });
}

GLuint TextureGl::GlTexture() {
    const bool complete = std::ranges::all_of(defined_, [](bool defined) { return defined; });
    if (texture_.name() != 0 && (renderTarget_ || complete) && appliedLod_ == lod_) return texture_.name();
    // Drawing binds its stages itself: whatever this binds goes back.
    WithTextureBound([&] {
        if (!renderTarget_ && !complete) {
            for (UINT level = 0; level < levels_.size(); ++level) {
                if (defined_[level]) continue;
                const std::vector<BYTE> zeros(static_cast<size_t>(RowPitch(*format_, levels_[level].width)) *
                                              StoredRows(*format_, levels_[level].height));
                Define(level, zeros.data());
            }
        }
        if (appliedLod_ != lod_) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, static_cast<GLint>(lod_));
            appliedLod_ = lod_;
        }
    });
    return texture_.name();
}

}  // namespace platform::d3d9
