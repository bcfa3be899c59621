float2 Scale = 1 1
float4x4 Transform
int Steps = 3
bool Enabled = true
texture Mask
sampler MaskSampler = Mask
    AddressU = WRAP
    MagFilter = LINEAR
technique Main
    pass Only
        AlphaBlendEnable = TRUE
        SrcBlend = SRCALPHA
        DestBlend = INVSRCALPHA
        MaskSampler.AddressV = CLAMP
        vertex
void main() { gl_Position = uWorldViewProjection * vec4(aPosition.xyz, 1.0); texCoord0 = aCoordinates0; }
        end
        fragment
void main() { fragColour = Mask ? texture(MaskSampler, texCoord0.xy * Scale) : vec4(1.0); }
        end
