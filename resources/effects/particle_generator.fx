// The particle generators' effect: particles drawn into a blend mask (a
// render target cleared to transparent), and the mask combined with the
// scene over the picture. Particle passes take vertex colour times the
// particle picture (no picture: white) and lay it over the mask weighted
// by its alpha, so that the mask's alpha is the coverage as drawn; the
// composites take the colour back out by dividing by that alpha.
// Techniques that read the scene (Texture1) redraw the whole picture area
// opaquely; the others blend over it.
texture Texture1
texture Texture2
texture Texture3

sampler Sampler1 = Texture1
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler Sampler2 = Texture2
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR
sampler Sampler3 = Texture3
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique BlendMask
    pass Particles
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = ONE
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec4 c = diffuseColour * (Texture1 ? texture(Sampler1, texCoord0.xy) : vec4(1.0));
    fragColour = vec4(c.rgb * c.a, c.a);
}
        end

// Cleared to white: soft edges take on white rather than black.
technique JoinMask
    pass Particles
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = ONE
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec4 c = diffuseColour * (Texture1 ? texture(Sampler1, texCoord0.xy) : vec4(1.0));
    fragColour = vec4(c.rgb * c.a, c.a);
}
        end

// Overlaps keep the brightest, in whatever order they are drawn. Colours
// are weighted by their alpha here so that the glow adds as light.
technique BlendMask_Max
    pass Particles
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = TRUE
        BlendOp = MAX
        SrcBlend = ONE
        DestBlend = ONE
        fragment
void main()
{
    vec4 c = diffuseColour * (Texture1 ? texture(Sampler1, texCoord0.xy) : vec4(1.0));
    fragColour = vec4(c.rgb * c.a, c.a);
}
        end

technique CommonTex
    pass Composite
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec4 mask = texture(Sampler1, texCoord0.xy);
    fragColour = vec4(min(mask.rgb / max(mask.a, 1.0 / 255.0), vec3(1.0)), mask.a);
}
        end

technique Blend_SumTex
    pass Composite
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = ONE
        fragment
void main()
{
    vec4 mask = texture(Sampler1, texCoord0.xy);
    fragColour = vec4(min(mask.rgb / max(mask.a, 1.0 / 255.0), vec3(1.0)), mask.a);
}
        end

technique Blend_ScreenTex
    pass Composite
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec3 scene = texture(Sampler1, texCoord0.xy).rgb;
    vec4 mask = texture(Sampler2, texCoord0.xy);
    mask.rgb = min(mask.rgb / max(mask.a, 1.0 / 255.0), vec3(1.0));
    vec3 screen = 1.0 - (1.0 - scene) * (1.0 - mask.rgb);
    fragColour = vec4(mix(scene, screen, mask.a), 1.0);
}
        end

technique Blend_ColorDodgeTex
    pass Composite
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec3 scene = texture(Sampler1, texCoord0.xy).rgb;
    vec4 mask = texture(Sampler2, texCoord0.xy);
    mask.rgb = min(mask.rgb / max(mask.a, 1.0 / 255.0), vec3(1.0));
    vec3 dodge = min(vec3(1.0), scene / max(1.0 - mask.rgb, vec3(1.0 / 255.0)));
    fragColour = vec4(mix(scene, dodge, mask.a), 1.0);
}
        end

// Scene, glow (Texture2) added as light, core (Texture3) laid over it;
// both passes hold colours weighted by their alpha.
technique Main
    pass Composite
        ZEnable = FALSE
        ZWriteEnable = FALSE
        CullMode = NONE
        AlphaBlendEnable = FALSE
        fragment
void main()
{
    vec3 scene = texture(Sampler1, texCoord0.xy).rgb;
    vec4 glow = texture(Sampler2, texCoord0.xy);
    vec4 core = texture(Sampler3, texCoord0.xy);
    vec3 lit = min(scene + glow.rgb, vec3(1.0));
    fragColour = vec4(lit * (1.0 - core.a) + core.rgb, 1.0);
}
        end
