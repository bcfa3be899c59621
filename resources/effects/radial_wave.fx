// Rings running out of "center": the picture displaced along the radius by
// a sine of the distance. "bg_scale_factor" makes the distance round on the
// picture.
float2 Scale = 1 1
float2 bg_scale_factor = 1 0.75
float2 center = 0.5 0.5
float frequency = 166.7
float amplitude = 0.0125
float time = 0
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
    vec2 d = (uv - center) * bg_scale_factor;
    float r = length(d);
    if (r <= 0.0)
        return uv;
    return uv + d / r / bg_scale_factor * amplitude * sin(frequency * r + time);
}
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, moved(uv)).rgb, coverage(uv));
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
    vec2 d = (uv - center) * bg_scale_factor;
    float r = length(d);
    if (r <= 0.0)
        return uv;
    return uv + d / r / bg_scale_factor * amplitude * sin(frequency * r + time);
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, texture(BackgroundSampler, moved(uv)).rgb, coverage(uv)), 1.0);
}
        end
