// Flames: the pattern ("Pattern", tips at v 0, base at v 1) stirred by
// three layers of a noise picture ("Noise") that scroll upward by "c11",
// "c12" and "c13". "AsEffect" is the flame layer's: the pattern's own
// colours, and nothing but what the layer sets (the matrices, the two
// pictures, the scrolls), since fire objects share this effect and set the
// rest. "Main" is the fire object's: the pattern's brightness plus
// "Density" coloured from "ColorK1" up to "ColorK1" + "ColorK2", lit by
// "Brightness", inside the mask, which it finds through "ViewProj" and the
// layout's fit ratios "bg_scale_factor".
float4x4 WorldViewProj = 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
float4x4 ViewProj = 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
float2 c11 = 0 0
float2 c12 = 0 0
float2 c13 = 0 0
float3 ColorK1 = 1 0 0
float3 ColorK2 = 0 1 0
float2 bg_scale_factor = 1 1
float Brightness = 0.3
float Density = 0
texture Noise
texture Pattern
texture Mask
texture Background

sampler NoiseSampler = Noise
    AddressU = WRAP
    AddressV = WRAP
    MinFilter = LINEAR
    MagFilter = LINEAR
// The flames repeat across; their base and tips do not wrap into each other.
sampler PatternSampler = Pattern
    AddressU = WRAP
    AddressV = CLAMP
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

technique AsEffect
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        vertex
void main()
{
    gl_Position = WorldViewProj * vec4(aPosition.xyz, 1.0);
    texCoord0 = aCoordinates0;
}
        end
        fragment
float flicker(vec2 uv)
{
    if (!Noise)
        return 0.5;
    return texture(NoiseSampler, uv + c11).r * 0.5 + texture(NoiseSampler, uv * 2.0 + c12).r * 0.3 +
           texture(NoiseSampler, uv * 4.0 + c13).r * 0.2;
}
void main()
{
    vec2 uv = texCoord0.xy;
    float n = flicker(uv);
    vec2 stirred = uv + vec2(n - 0.5, 0.5 * n - 0.25) * 0.18 * (1.0 - uv.y);
    vec4 flame = Pattern ? texture(PatternSampler, stirred) : vec4(0.0);
    fragColour = vec4(flame.rgb, flame.a * clamp(0.8 + 0.8 * (n - 0.5) + 0.3 * uv.y, 0.0, 1.0));
}
        end

technique Main
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        vertex
void main()
{
    vec4 position = vec4(aPosition.xyz, 1.0);
    gl_Position = WorldViewProj * position;
    texCoord0 = aCoordinates0;
    vec4 laidOut = ViewProj * position;
    vec2 screen = vec2(0.5 + 0.5 * laidOut.x / laidOut.w, 0.5 - 0.5 * laidOut.y / laidOut.w);
    texCoord1 = vec4((screen - 0.5) * bg_scale_factor + 0.5, 0.0, 1.0);
}
        end
        fragment
float coverage(vec2 uv) { vec4 m = texture(MaskSampler, uv); return Mask ? m.r * m.a : 1.0; }
float flicker(vec2 uv)
{
    if (!Noise)
        return 0.5;
    return texture(NoiseSampler, uv + c11).r * 0.5 + texture(NoiseSampler, uv * 2.0 + c12).r * 0.3 +
           texture(NoiseSampler, uv * 4.0 + c13).r * 0.2;
}
void main()
{
    vec2 uv = texCoord0.xy;
    float n = flicker(uv);
    vec2 stirred = uv + vec2(n - 0.5, 0.5 * n - 0.25) * 0.18 * (1.0 - uv.y);
    float shape = Pattern ? texture(PatternSampler, stirred).r : 0.0;
    float heat = clamp(shape * (0.55 + 0.9 * n) + Density, 0.0, 1.0);
    vec3 colour = min(ColorK1 + heat * ColorK2 + vec3(Brightness * heat * heat), vec3(1.0));
    fragColour = vec4(colour, min(1.5 * heat, 1.0) * coverage(texCoord1.xy));
}
        end
