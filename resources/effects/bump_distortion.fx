// The flame layer's distortion: the captured frame ("SceneTex") shifted by
// "stenght" times the signed offsets of a bump map ("Bumpmap", red and
// green around 0.5) laid over the picture at "bump_scale" and scrolled by
// "Offset". No vertex stage: the layer draws with the device's transforms.
// The frame is written opaquely over a back buffer it never clears.
float stenght = 0.0025
float2 Offset = 0 0
float2 bump_scale = 0.208 0.208
texture SceneTex
texture Bumpmap

sampler SceneSampler = SceneTex
    AddressU = MIRROR
    AddressV = MIRROR
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler BumpSampler = Bumpmap
    AddressU = WRAP
    AddressV = WRAP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique BumpmapDistortLow2
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec2 bump = Bumpmap ? texture(BumpSampler, uv * bump_scale + Offset).rg * 2.0 - 1.0 : vec2(0.0);
    fragColour = vec4(texture(SceneSampler, uv + bump * stenght).rgb, 1.0);
}
        end
