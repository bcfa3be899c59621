// A water surface: two scrolled samples of the bump picture, turned and
// scaled by "BampTrans", refract the picture; rows nearer the top lie
// farther away ("P2".y), light comes from "Vhalf", "Shadows" darkens the
// troughs and "Color" tints the water.
float2 Scale = 1 1
float4 BampTrans = 0.02 0 0 0.02
float3 P1 = -0.998 -1 -0.998
float3 P2 = 1 1.0327 1
float Time = 0
float2 Direction1 = -34.8 -29.2
float2 Direction2 = -0.0019 -0.0016
float Shadows = 0
float3 Vhalf = 0.447 0.894 0
float3 Color = 1 1 1
texture BumpMap
texture Mask
texture Background

sampler BumpSampler = BumpMap
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
vec3 water(vec2 uv)
{
    float depth = max(mix(P2.y * 4.0, 1.0, uv.y), 1.0);
    vec2 surface = uv * Scale * vec2(1.0, depth);
    float tiles = length(Direction1) * 0.05;
    vec2 flow = Direction2 * Time * 40.0;
    vec2 n1 = texture(BumpSampler, surface * tiles + flow).xy * 2.0 - 1.0;
    vec2 n2 = texture(BumpSampler, surface * tiles * 1.7 - flow * 0.6).yx * 2.0 - 1.0;
    vec2 n = BumpMap ? (n1 + n2) * 0.5 : vec2(0.0);
    vec2 refracted = uv + vec2(dot(n, BampTrans.xz), dot(n, BampTrans.yw)) / depth;
    vec3 colour = texture(BackgroundSampler, refracted).rgb * Color;
    float light = pow(max(dot(normalize(vec3(n, 1.0)), normalize(Vhalf + vec3(0.0, 0.0, 1.0))), 0.0), 24.0);
    return colour * (1.0 - Shadows * 0.5 * (1.0 - n.y)) + vec3(0.35 * light);
}
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(water(uv), coverage(uv));
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
vec3 water(vec2 uv)
{
    float depth = max(mix(P2.y * 4.0, 1.0, uv.y), 1.0);
    vec2 surface = uv * Scale * vec2(1.0, depth);
    float tiles = length(Direction1) * 0.05;
    vec2 flow = Direction2 * Time * 40.0;
    vec2 n1 = texture(BumpSampler, surface * tiles + flow).xy * 2.0 - 1.0;
    vec2 n2 = texture(BumpSampler, surface * tiles * 1.7 - flow * 0.6).yx * 2.0 - 1.0;
    vec2 n = BumpMap ? (n1 + n2) * 0.5 : vec2(0.0);
    vec2 refracted = uv + vec2(dot(n, BampTrans.xz), dot(n, BampTrans.yw)) / depth;
    vec3 colour = texture(BackgroundSampler, refracted).rgb * Color;
    float light = pow(max(dot(normalize(vec3(n, 1.0)), normalize(Vhalf + vec3(0.0, 0.0, 1.0))), 0.0), 24.0);
    return colour * (1.0 - Shadows * 0.5 * (1.0 - n.y)) + vec3(0.35 * light);
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, water(uv), coverage(uv)), 1.0);
}
        end
