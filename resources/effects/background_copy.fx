// A copy of the picture behind the mask, moved by "offset" (picture uv).
// Mirrored addressing turns an offset of one more picture into a mirror.
float2 Scale = 1 1
float2 offset = 0 0
texture Mask
texture Background

sampler MaskSampler = Mask
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler BackgroundSampler = Background
    AddressU = MIRROR
    AddressV = MIRROR
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Main
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
float coverage(vec2 uv) { vec4 m = texture(MaskSampler, uv); return Mask ? m.r * m.a : 1.0; }
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, uv - offset).rgb, coverage(uv));
}
        end

technique MainFX
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = FALSE
        fragment
float coverage(vec2 uv) { vec4 m = texture(MaskSampler, uv); return Mask ? m.r * m.a : 1.0; }
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    vec3 copy = texture(BackgroundSampler, uv - offset).rgb;
    fragColour = vec4(mix(scene, copy, coverage(uv)), 1.0);
}
        end
