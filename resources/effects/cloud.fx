// Clouds: the cloud picture ("Background", tiled) seen through a tilted
// plane ("PX_Transform", "PY_TransformH", "PY_TransformZ", "tex_shift"),
// scaled by "Scale" and drifted by "Velocity". Its brightness, by
// "Threshold" (contrast) and "Density" (more cover), is the cloud's cover;
// the colour runs from "ColorK1" in its thin parts to "ColorK2" in its
// thick ones. Both techniques blend over the scene: "Main" on the
// placement's grid, whose uv spans the placement ("mask_tex_shift" finds
// the mask under it), "MainFX" over the whole picture.
float2 Scale = 1 1
float Threshold = 1
float Density = 0
float3 ColorK1 = 0.55 0.6 0.7
float3 ColorK2 = 1 1 1
float2 Velocity = 0 0
float4 mask_tex_shift = 1 0 1 0
float PX_Transform = 0
float PY_TransformH = 1
float PY_TransformZ = 0
float4 tex_shift = 1 1 0 0
texture Mask
texture Background

sampler MaskSampler = Mask
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
// The clouds tile like a pattern.
sampler CloudSampler = Background
    AddressU = WRAP
    AddressV = WRAP
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
vec4 clouds(vec2 uv)
{
    float y = uv.y * tex_shift.y + tex_shift.w;
    float v = PY_TransformH * y / (1.0 + PY_TransformZ * y);
    float u = ((uv.x - 0.5) * (1.0 - PX_Transform * y) + 0.5 + tex_shift.z * y) * tex_shift.x;
    float thickness = texture(CloudSampler, vec2(u, v) * Scale + Velocity).r;
    float cover = clamp((thickness + Density - 0.5) * Threshold + 0.5, 0.0, 1.0);
    return vec4(mix(ColorK1, ColorK2, thickness), cover);
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 cloud = clouds(uv);
    vec2 maskUv = vec2(uv.x * mask_tex_shift.x + mask_tex_shift.y, uv.y * mask_tex_shift.z + mask_tex_shift.w);
    fragColour = vec4(cloud.rgb, cloud.a * coverage(maskUv));
}
        end

technique MainFX
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
float coverage(vec2 uv) { vec4 m = texture(MaskSampler, uv); return Mask ? m.r * m.a : 1.0; }
vec4 clouds(vec2 uv)
{
    float y = uv.y * tex_shift.y + tex_shift.w;
    float v = PY_TransformH * y / (1.0 + PY_TransformZ * y);
    float u = ((uv.x - 0.5) * (1.0 - PX_Transform * y) + 0.5 + tex_shift.z * y) * tex_shift.x;
    float thickness = texture(CloudSampler, vec2(u, v) * Scale + Velocity).r;
    float cover = clamp((thickness + Density - 0.5) * Threshold + 0.5, 0.0, 1.0);
    return vec4(mix(ColorK1, ColorK2, thickness), cover);
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 cloud = clouds(uv);
    fragColour = vec4(cloud.rgb, cloud.a * coverage(uv));
}
        end
