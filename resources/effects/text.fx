// The text overlays: the text's picture ("Texture1") times the vertex
// colour, alpha-blended. "ScrollText" reads it at the quad's coordinates
// plus "Shift" and leaves the quad clear outside the picture (0 to 1).
// Without a picture both leave the frame as it was.
float2 Shift = 0 0
texture Texture1

sampler TextSampler = Texture1
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique CommonVretexColor
    pass Text
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    if (!Texture1)
        discard;
    fragColour = diffuseColour * texture(TextSampler, texCoord0.xy);
}
        end

technique ScrollText
    pass Text
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        fragment
void main()
{
    vec2 uv = texCoord0.xy + Shift;
    if (!Texture1 || any(lessThan(uv, vec2(0.0))) || any(greaterThan(uv, vec2(1.0))))
        discard;
    fragColour = diffuseColour * texture(TextSampler, uv);
}
        end
