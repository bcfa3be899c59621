// The wobble of a picture under water. Drawn over the whole frame with no
// mask, so both techniques cover everything.
float2 Scale = 1 1
float2 frequency = 13.2 9.9
float amplitude = 0.00625
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
vec2 wobbled(vec2 uv)
{
    return uv + amplitude * vec2(sin(frequency.y * uv.y + time), cos(frequency.x * uv.x + 0.7 * time));
}
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, wobbled(uv)).rgb, coverage(uv));
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
vec2 wobbled(vec2 uv)
{
    return uv + amplitude * vec2(sin(frequency.y * uv.y + time), cos(frequency.x * uv.x + 0.7 * time));
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, texture(BackgroundSampler, wobbled(uv)).rgb, coverage(uv)), 1.0);
}
        end
