// The static animation's frame: the picture times "Color", blended over
// the scene by its alpha.
float4 Color = 1 1 1 1
texture Texture

sampler FrameSampler = Texture
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Blend_Normal
    pass Frame
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main() { fragColour = Color * (Texture ? texture(FrameSampler, texCoord0.xy) : vec4(1.0)); }
        end
