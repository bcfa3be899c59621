// Straight waves: the picture displaced along "direction_n" by a sine of
// the distance travelled along "direction".
float2 Scale = 1 1
float2 direction = -1 0
float2 direction_n = 0 1
float frequency = 38.46
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
vec2 waved(vec2 uv) { return uv + amplitude * sin(frequency * dot(uv * Scale, direction) + time) * direction_n; }
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, waved(uv)).rgb, coverage(uv));
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
vec2 waved(vec2 uv) { return uv + amplitude * sin(frequency * dot(uv * Scale, direction) + time) * direction_n; }
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, texture(BackgroundSampler, waved(uv)).rgb, coverage(uv)), 1.0);
}
        end
