// A tiled pattern laid into the mask: pattern uv = coord_transf x uv +
// offset, repeated; its alpha and "mix_color" set how much of it shows.
float2 Scale = 1 1
float4 mix_color = 1 1 1 1
float2 scale = 1 1
float2 offset = 0 0
float4 coord_transf = 1 0 0 1
texture Pattern
texture Mask
texture Background

sampler PatternSampler = Pattern
    AddressU = WRAP
    AddressV = WRAP
    MinFilter = LINEAR
    MagFilter = LINEAR
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
vec4 pattern(vec2 uv)
{
    vec2 p = vec2(dot(uv, coord_transf.xz), dot(uv, coord_transf.yw)) + offset;
    return texture(PatternSampler, p) * mix_color;
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 laid = pattern(uv);
    fragColour = vec4(laid.rgb, laid.a * coverage(uv));
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
vec4 pattern(vec2 uv)
{
    vec2 p = vec2(dot(uv, coord_transf.xz), dot(uv, coord_transf.yw)) + offset;
    return texture(PatternSampler, p) * mix_color;
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 laid = pattern(uv);
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, laid.rgb, laid.a * coverage(uv)), 1.0);
}
        end
