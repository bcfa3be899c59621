// The explosion's fireball over its quad. Two lookups of the noise
// ("NoiseTex", which tiles) at the previous and the current offset of
// "noise_shift" are cross-faded by "time" (the current one's weight, then
// the previous one's) and roughen the edge of a disc: "noise_params" are
// its radius (in half quads), the roughness and the share of the radius
// that glows hot. The heat picks the colour from "GradientTex" (cool on
// the left, hot on the right), tinted by "color1"; the cool edge turns to
// "color2". "phase_1st" (2 as it starts fading in, 0 when shown) makes the
// young fireball hotter; "phase_3rd" (how far it has faded out, and the
// rest) cools and thins it. Outside the fireball nothing changes.
float3 color1 = 1 1 1
float3 color2 = 0 0 0
float4 noise_shift = 0 0 0 0
float3 noise_params = 0.79 0.15 0.42
float2 time = 0 1
float2 phase_3rd = 0 1
float phase_1st = 0
texture GradientTex
texture NoiseTex

sampler GradientSampler = GradientTex
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler NoiseSampler = NoiseTex
    AddressU = WRAP
    AddressV = WRAP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Main
    pass Fireball
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
float noiseAt(vec2 uv) { return NoiseTex ? texture(NoiseSampler, uv).r : 0.5; }
void main()
{
    vec2 uv = texCoord0.xy;
    float r = length(uv * 2.0 - 1.0);
    float n = noiseAt(uv + noise_shift.xy) * time.y + noiseAt(uv + noise_shift.zw) * time.x;
    float radius = max(noise_params.x, 0.001);
    float inside = radius - r + (n - 0.5) * 2.0 * noise_params.y;
    float heat = clamp(inside / (radius * max(noise_params.z, 0.001)), 0.0, 1.0);
    heat = min(1.0, heat + 0.25 * phase_1st) * phase_3rd.y;
    vec4 ramp = GradientTex ? texture(GradientSampler, vec2(heat, 0.5)) : vec4(heat, heat * heat, heat * heat * heat, 1.0);
    vec3 colour = mix(color2, ramp.rgb * color1, smoothstep(0.0, 0.35, heat));
    float coverage = smoothstep(0.0, 0.08, inside) * ramp.a * phase_3rd.y;
    fragColour = vec4(colour, coverage * diffuseColour.a);
}
        end
