#include "d3d9/pipeline/output_state.h"

#include "d3d9/formats.h"

namespace platform::d3d9::pipeline {
namespace {

GLenum BlendFactor(DWORD blend) {
    switch (blend) {
        case D3DBLEND_ZERO: return GL_ZERO;
        case D3DBLEND_ONE: return GL_ONE;
        case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
        case D3DBLEND_BLENDFACTOR: return GL_CONSTANT_COLOR;
        case D3DBLEND_INVBLENDFACTOR: return GL_ONE_MINUS_CONSTANT_COLOR;
        default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN: return GL_MIN;
        case D3DBLENDOP_MAX: return GL_MAX;
        default: return GL_FUNC_ADD;
    }
}

GLenum DepthFunction(DWORD func) {
    switch (func) {
        case D3DCMP_NEVER: return GL_NEVER;
        case D3DCMP_LESS: return GL_LESS;
        case D3DCMP_EQUAL: return GL_EQUAL;
        case D3DCMP_LESSEQUAL: return GL_LEQUAL;
        case D3DCMP_GREATER: return GL_GREATER;
        case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
        default: return GL_ALWAYS;
    }
}

void Enable(GLenum capability, bool on) { on ? glEnable(capability) : glDisable(capability); }

enum Slot { kBlend, kSource, kDestination, kEquation, kBlendColour, kDepthTest, kDepthWrite, kDepthFunc, kCull,
            kFrontFace, kColourMask, kSlotCount };

}  // namespace

void OutputState::Apply(const StateBlock& states, bool depthBuffer) {
    const auto& rs = states.renderStates;
    DWORD source = rs[D3DRS_SRCBLEND], destination = rs[D3DRS_DESTBLEND];
    if (source == D3DBLEND_BOTHSRCALPHA) source = D3DBLEND_SRCALPHA, destination = D3DBLEND_INVSRCALPHA;
    if (source == D3DBLEND_BOTHINVSRCALPHA) source = D3DBLEND_INVSRCALPHA, destination = D3DBLEND_SRCALPHA;
    // Direct3D culls by the winding on its screen, y down. The upper-left
    // clip origin flips GL's window y and its idea of the winding with it,
    // so GL's counter-clockwise is Direct3D's.
    const DWORD cull = rs[D3DRS_CULLMODE];
    const std::array<GLint, kSlotCount> wanted{
        rs[D3DRS_ALPHABLENDENABLE] != FALSE,
        static_cast<GLint>(BlendFactor(source)),
        static_cast<GLint>(BlendFactor(destination)),
        static_cast<GLint>(BlendEquation(rs[D3DRS_BLENDOP])),
        static_cast<GLint>(rs[D3DRS_BLENDFACTOR]),
        depthBuffer && rs[D3DRS_ZENABLE] != D3DZB_FALSE,
        rs[D3DRS_ZWRITEENABLE] != FALSE,
        static_cast<GLint>(DepthFunction(rs[D3DRS_ZFUNC])),
        cull == D3DCULL_CW || cull == D3DCULL_CCW,
        static_cast<GLint>(cull == D3DCULL_CCW ? GL_CCW : GL_CW),
        static_cast<GLint>(rs[D3DRS_COLORWRITEENABLE] & 0xF),
    };
    const auto changed = [&](Slot slot) { return !known_ || applied_[slot] != wanted[slot]; };
    if (changed(kBlend)) Enable(GL_BLEND, wanted[kBlend]);
    if (changed(kSource) || changed(kDestination)) {
        glBlendFunc(static_cast<GLenum>(wanted[kSource]), static_cast<GLenum>(wanted[kDestination]));
    }
    if (changed(kEquation)) glBlendEquation(static_cast<GLenum>(wanted[kEquation]));
    if (changed(kBlendColour)) {
        const auto factor = ColourToRgba(static_cast<DWORD>(wanted[kBlendColour]));
        glBlendColor(factor[0], factor[1], factor[2], factor[3]);
    }
    if (changed(kDepthTest)) Enable(GL_DEPTH_TEST, wanted[kDepthTest]);
    if (changed(kDepthWrite)) glDepthMask(wanted[kDepthWrite] ? GL_TRUE : GL_FALSE);
    if (changed(kDepthFunc)) glDepthFunc(static_cast<GLenum>(wanted[kDepthFunc]));
    if (changed(kCull)) Enable(GL_CULL_FACE, wanted[kCull]);
    if (changed(kFrontFace)) {
        // The culled face is GL's front one here, so that glCullFace stays GL_FRONT.
        glFrontFace(static_cast<GLenum>(wanted[kFrontFace]));
        glCullFace(GL_FRONT);
    }
    if (changed(kColourMask)) {
        const GLint mask = wanted[kColourMask];
        glColorMask((mask & D3DCOLORWRITEENABLE_RED) != 0, (mask & D3DCOLORWRITEENABLE_GREEN) != 0,
                    (mask & D3DCOLORWRITEENABLE_BLUE) != 0, (mask & D3DCOLORWRITEENABLE_ALPHA) != 0);
    }
    std::copy(wanted.begin(), wanted.end(), applied_.begin());
    known_ = true;
}

}  // namespace platform::d3d9::pipeline
