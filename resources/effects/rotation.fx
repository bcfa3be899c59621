// The picture under the mask turned about the centre: picture uv moved by
// "offset" (minus the centre) and through "coord_transf" (a 2 x 2 matrix of
// rows, applied in picture proportions: "Scale" holds the aspect), then
// moved back. "mix_color" alpha fades it.
float2 Scale = 1 1
float4 coord_transf = 1 0 0 1
float2 offset = -0.5 -0.5
float4 mix_color = 1 1 1 1
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
vec2 moved(vec2 uv)
{
    vec2 proportions = vec2(Scale.x / Scale.y, 1.0);
    vec2 p = (uv + offset) * proportions;
    vec2 q = vec2(p.x * coord_transf.x + p.y * coord_transf.z, p.x * coord_transf.y + p.y * coord_transf.w);
    return q / proportions - offset;
}
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, moved(uv)).rgb, coverage(uv) * mix_color.a);
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
vec2 moved(vec2 uv)
{
    vec2 proportions = vec2(Scale.x / Scale.y, 1.0);
    vec2 p = (uv + offset) * proportions;
    vec2 q = vec2(p.x * coord_transf.x + p.y * coord_transf.z, p.x * coord_transf.y + p.y * coord_transf.w);
    return q / proportions - offset;
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, texture(BackgroundSampler, moved(uv)).rgb, coverage(uv) * mix_color.a), 1.0);
}
        end
