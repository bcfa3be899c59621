// Light inside the mask: "Main"/"MainFX" brighten the picture by
// "multiplier"; the four blend techniques blend "BlendColor" into
// "Texture1" (the scene) by its alpha inside the mask "Texture2". They
// serve readers and non-readers alike: "Opaque" 1 writes the whole picture,
// 0 only the masked area.
float2 Scale = 1 1
float multiplier = 0
float4 BlendColor = 1 1 1 0
float Opaque = 0
texture Mask
texture Background
texture Texture1
texture Texture2

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
sampler BlendMaskSampler = Texture2
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler SceneSampler = Texture1
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
void main()
{
    vec2 uv = texCoord0.xy;
    fragColour = vec4(texture(BackgroundSampler, uv).rgb * (1.0 + multiplier), coverage(uv));
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
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(BackgroundSampler, uv).rgb;
    fragColour = vec4(mix(scene, scene * (1.0 + multiplier), coverage(uv)), 1.0);
}
        end

technique Blend_Normal
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 m = texture(BlendMaskSampler, uv);
    float amount = BlendColor.a * (Texture2 ? m.r * m.a : 1.0);
    vec3 base = texture(SceneSampler, uv).rgb;
    vec3 blended = BlendColor.rgb;
    fragColour = Opaque > 0.5 ? vec4(mix(base, blended, amount), 1.0) : vec4(blended, amount);
}
        end

technique Blend_Screen
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 m = texture(BlendMaskSampler, uv);
    float amount = BlendColor.a * (Texture2 ? m.r * m.a : 1.0);
    vec3 base = texture(SceneSampler, uv).rgb;
    vec3 blended = 1.0 - (1.0 - base) * (1.0 - BlendColor.rgb);
    fragColour = Opaque > 0.5 ? vec4(mix(base, blended, amount), 1.0) : vec4(blended, amount);
}
        end

technique PS_ColorDodge
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 m = texture(BlendMaskSampler, uv);
    float amount = BlendColor.a * (Texture2 ? m.r * m.a : 1.0);
    vec3 base = texture(SceneSampler, uv).rgb;
    vec3 blended = min(base / max(1.0 - BlendColor.rgb, vec3(1.0 / 255.0)), vec3(1.0));
    fragColour = Opaque > 0.5 ? vec4(mix(base, blended, amount), 1.0) : vec4(blended, amount);
}
        end

technique Blend_Sum
    pass Only
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 m = texture(BlendMaskSampler, uv);
    float amount = BlendColor.a * (Texture2 ? m.r * m.a : 1.0);
    vec3 base = texture(SceneSampler, uv).rgb;
    vec3 blended = min(base + BlendColor.rgb, vec3(1.0));
    fragColour = Opaque > 0.5 ? vec4(mix(base, blended, amount), 1.0) : vec4(blended, amount);
}
        end
