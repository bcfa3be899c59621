// The glow of the glowing sprites (the discharge bolt). "Blend_Max" draws
// the sprites with the glow picture ("Texture1") into the glow target, which
// starts clear: overlaps keep the brightest, colours weighted by their alpha.
// "Blend_Screen" and "Blend_Normal" redraw the scene ("Texture1") over the
// whole picture, opaquely, screened with or mixed towards "BlendColor" as
// strongly as the glow ("Texture2") shines, times "BlendColor"'s alpha.
// "Common" draws the sprites with their own picture, alpha-blended.
// Without a glow picture each sprite glows as a soft band, fading at the
// bolt's two ends: the bolt pictures' caps lie below u 0.195 and above
// 0.805, and each half of v holds a bolt along its middle.
float4 BlendColor = 1 1 1 0
texture Texture1
texture Texture2

sampler Sampler1 = Texture1
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler GlowSampler = Texture2
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Blend_Max
    pass Glow
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = MAX
        SrcBlend = ONE
        DestBlend = ONE
        fragment
float softBand(vec2 uv)
{
    float across = exp(-pow((fract(uv.y * 2.0) - 0.5) * 4.0, 2.0));
    float along = smoothstep(0.02, 0.195, uv.x) * (1.0 - smoothstep(0.805, 0.98, uv.x));
    return across * along;
}
void main()
{
    vec2 uv = texCoord0.xy;
    vec4 c = diffuseColour * (Texture1 ? texture(Sampler1, uv) : vec4(1.0, 1.0, 1.0, softBand(uv)));
    fragColour = vec4(c.rgb * c.a, c.a);
}
        end

technique Blend_Screen
    pass Composite
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(Sampler1, uv).rgb;
    vec4 glow = texture(GlowSampler, uv);
    float amount = max(max(glow.r, glow.g), glow.b) * BlendColor.a;
    vec3 light = min(BlendColor.rgb * amount, vec3(1.0));
    fragColour = vec4(1.0 - (1.0 - scene) * (1.0 - light), 1.0);
}
        end

technique Blend_Normal
    pass Composite
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec2 uv = texCoord0.xy;
    vec3 scene = texture(Sampler1, uv).rgb;
    vec4 glow = texture(GlowSampler, uv);
    float amount = clamp(max(max(glow.r, glow.g), glow.b) * BlendColor.a, 0.0, 1.0);
    fragColour = vec4(mix(scene, BlendColor.rgb, amount), 1.0);
}
        end

technique Common
    pass Sprites
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main() { fragColour = diffuseColour * (Texture1 ? texture(Sampler1, texCoord0.xy) : vec4(1.0)); }
        end
