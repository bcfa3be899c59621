// A swirl about "Center": picture uv turned about it by "Angle", less the
// farther from it as "Bend" grows, in picture proportions ("Scale" holds
// the aspect). "Main" draws the placement's grid, "MainFX" the picture.
float4 Scale = 1 1 1 1
float2 Center = 0.5 0.5
float Angle = 0
float Bend = 0
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
vec2 bent(vec2 uv)
{
    vec2 proportions = vec2(Scale.x / Scale.y, 1.0);
    vec2 d = (uv - Center) * proportions;
    float a = Angle * exp(-Bend * length(d));
    vec2 turned = vec2(cos(a) * d.x - sin(a) * d.y, sin(a) * d.x + cos(a) * d.y);
    return Center + turned / proportions;
}
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, bent(uv)).rgb, coverage(uv));
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
vec2 bent(vec2 uv)
{
    vec2 proportions = vec2(Scale.x / Scale.y, 1.0);
    vec2 d = (uv - Center) * proportions;
    float a = Angle * exp(-Bend * length(d));
    vec2 turned = vec2(cos(a) * d.x - sin(a) * d.y, sin(a) * d.x + cos(a) * d.y);
    return Center + turned / proportions;
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, texture(BackgroundSampler, bent(uv)).rgb, coverage(uv)), 1.0);
}
        end
