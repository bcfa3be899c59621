// The plant: its quad sways with time, the more the higher above its base
// (texture v 1), which stays put. "WMagnitude" swings the top at
// "Frequency" cycles a second of "Time", "BMagnitude" flutters it at 2.3
// times that; a magnitude of 1 moves the top by 100 pixels of the picture.
// The picture times "color", blended over the scene.
float Time = 0
float Frequency = 0
float WMagnitude = 0
float BMagnitude = 0
float4 color = 1 1 1 1
texture Texture

sampler PlantSampler = Texture
    AddressU = CLAMP
    AddressV = CLAMP
    MinFilter = LINEAR
    MagFilter = LINEAR

technique Main
    pass Sway
        CullMode = NONE
        ZEnable = FALSE
        ZWriteEnable = FALSE
        AlphaBlendEnable = TRUE
        BlendOp = ADD
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        vertex
void main()
{
    float height = 1.0 - aCoordinates0.y;
    float phase = 6.2831855 * Time * Frequency;
    float sway = WMagnitude * sin(phase) + BMagnitude * sin(2.3 * phase + 1.0);
    gl_Position = uWorldViewProjection * vec4(aPosition.x + 100.0 * height * sway, aPosition.yz, 1.0);
    diffuseColour = aDiffuse;
    texCoord0 = aCoordinates0;
}
        end
        fragment
void main() { fragColour = color * (Texture ? texture(PlantSampler, texCoord0.xy) : vec4(1.0)); }
        end
