// A waterfall on the placement's grid (picture uv), blended over the scene.
// "Noise" stirs the picture ("Background") by a scrolling noise ("NoiseMap"
// at uv x "bump_scale" + "noise_shift", by "noise_amplitude"); "ColorWaves"
// draws one falling layer: where the picture "shift" away is brighter than
// "treshold", a streak tinted with "base_color", as strong as
// "transluency", split into strands by the noise when the noise is drawn.
float2 noise_shift = 0 0
float2 bump_scale = 1 1
float noise_amplitude = 0
float3 base_color = 1 1 1
float treshold = 1
float2 shift = 0 0
float transluency = 0
texture Mask
texture Background
texture NoiseMap

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
sampler NoiseSampler = NoiseMap
    AddressU = WRAP
    AddressV = WRAP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Noise
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
    vec2 at = uv * bump_scale + noise_shift;
    vec2 stir = NoiseMap ? vec2(texture(NoiseSampler, at).r, texture(NoiseSampler, at + vec2(0.37, 0.61)).r) * 2.0 - 1.0
                         : vec2(0.0);
    fragColour = vec4(texture(BackgroundSampler, uv + stir * noise_amplitude).rgb, coverage(uv));
}
        end

technique ColorWaves
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
    vec3 seen = texture(BackgroundSampler, uv + shift).rgb;
    float brightness = dot(seen, vec3(0.299, 0.587, 0.114));
    float streak = smoothstep(treshold - 0.2, treshold, brightness);
    float strands = NoiseMap ? smoothstep(0.3, 0.7, texture(NoiseSampler, (uv + shift) * vec2(12.0, 0.8)).r) : 1.0;
    fragColour = vec4(mix(seen, base_color, 0.5), streak * strands * transluency * coverage(uv));
}
        end
