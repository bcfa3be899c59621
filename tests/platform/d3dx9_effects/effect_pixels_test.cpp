// What effects draw, read back in pixels: techniques by name, every kind
// of parameter reaching the program, textures set and unset, the device's
// transforms, and passes blending as their states say.
#include <algorithm>
#include <functional>

#include "platform/d3dx9_effects/effect_fixture.h"

namespace d3d9_test {
namespace {

constexpr std::string_view kValues = R"(// one technique per kind of value
float4 Colour = 1 0 0 1
float2 Pair = 0.25 0.5
float3 Triple
float Single = 0.5
float4x4 Transform
int Count = 2
bool Flag = false
texture Picture
sampler PictureSampler = Picture
    MinFilter = POINT
    MagFilter = POINT

technique Solid
    pass Only
        fragment
void main() { fragColour = Colour; }
        end
technique PairAndTriple
    pass Only
        fragment
void main() { fragColour = vec4(Pair, Triple.x, 1.0); }
        end
technique Vector
    pass Only
        fragment
void main() { fragColour = vec4(Triple, 1.0); }
        end
technique Scalars
    pass Only
        fragment
void main() { fragColour = vec4(Single, float(Count) / 4.0, Flag ? 1.0 : 0.0, 1.0); }
        end
technique Matrix
    pass Only
        fragment
void main() { fragColour = vec4((Transform * vec4(1.0, 0.0, 0.0, 0.0)).xyz, 1.0); }
        end
technique Sampled
    pass Only
        fragment
// green tells that no picture is set
void main() { fragColour = Picture ? texture(PictureSampler, texCoord0.xy) : vec4(0.0, 1.0, 0.0, 1.0); }
        end
technique Unchecked
    pass Only
        fragment
void main() { fragColour = texture(PictureSampler, texCoord0.xy) + vec4(0.0, 0.0, 0.25, 0.0); }
        end
technique TwoPasses
    pass Red
        fragment
void main() { fragColour = vec4(0.5, 0.0, 0.0, 1.0); }
        end
    pass AddGreen
        AlphaBlendEnable = TRUE
        SrcBlend = ONE
        DestBlend = ONE
        fragment
void main() { fragColour = vec4(0.0, 0.5, 0.0, 1.0); }
        end
)";

struct PixelCase {
    const char* name;
    const char* technique;
    std::function<void(ID3DXEffect*, EffectTest&)> set;
    D3DCOLOR expected;
};

class EffectPixelTest : public EffectTest, public testing::WithParamInterface<PixelCase> {
public:
    using EffectTest::SolidTexture;
};

TEST_P(EffectPixelTest, DrawsWhatItsParametersSay) {
    const PixelCase& c = GetParam();
    Com<ID3DXEffect> effect(Create(kValues));
    ASSERT_NE(effect.get(), nullptr);
    ASSERT_EQ(effect->SetTechnique(c.technique), D3D_OK);
    c.set(effect.get(), *this);
    DrawPasses(effect.get());
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), c.expected)) << c.name;
    EXPECT_TRUE(ColoursNear(Pixel(0, 15), c.expected)) << c.name;
}

void Nothing(ID3DXEffect*, EffectTest&) {}

const PixelCase kPixelCases[] = {
    {"defaults", "Solid", Nothing, 0xFF0000},
    {"fewer floats than the size change only those", "Solid",
     [](ID3DXEffect* e, EffectTest&) {
         const float blue[] = {0.f, 0.f, 1.f};
         ASSERT_EQ(e->SetFloatArray("Colour", blue, 3), D3D_OK);
     },
     0x0000FF},
    {"more floats than the size stop at the size", "PairAndTriple",
     [](ID3DXEffect* e, EffectTest&) {
         float values[20] = {0.2f, 0.4f};
         std::fill(values + 2, values + 20, 0.8f);
         ASSERT_EQ(e->SetFloatArray("Pair", values, 20), D3D_OK);
     },
     0x336600},
    {"a vector into a float3", "Vector",
     [](ID3DXEffect* e, EffectTest&) {
         const D3DXVECTOR4 v(0.f, 0.5f, 1.f, 0.f);
         ASSERT_EQ(e->SetVector("Triple", &v), D3D_OK);
     },
     0x0080FF},
    {"float, int and bool", "Scalars",
     [](ID3DXEffect* e, EffectTest&) {
         ASSERT_EQ(e->SetFloat("Single", 0.25f), D3D_OK);
         ASSERT_EQ(e->SetInt("Count", 3), D3D_OK);
         ASSERT_EQ(e->SetBool("Flag", TRUE), D3D_OK);
     },
     0x40BFFF},
    {"a matrix multiplies as Direct3D's row vectors do", "Matrix",
     [](ID3DXEffect* e, EffectTest&) {
         D3DXMATRIX m(Identity());
         m._11 = 0.f;
         m._12 = 1.f;  // x goes to y
         ASSERT_EQ(e->SetMatrix("Transform", &m), D3D_OK);
     },
     0x00FF00},
    {"a texture is sampled", "Sampled",
     [](ID3DXEffect* e, EffectTest& test) {
         Com<IDirect3DTexture9> texture(static_cast<EffectPixelTest&>(test).SolidTexture(0xFF804020));
         ASSERT_EQ(e->SetTexture("Picture", texture.get()), D3D_OK);
     },
     0x804020},
    {"a program sees that no texture is set", "Sampled", Nothing, 0x00FF00},
    {"a texture set to null again is unset", "Sampled",
     [](ID3DXEffect* e, EffectTest& test) {
         Com<IDirect3DTexture9> texture(static_cast<EffectPixelTest&>(test).SolidTexture(0xFF804020));
         ASSERT_EQ(e->SetTexture("Picture", texture.get()), D3D_OK);
         ASSERT_EQ(e->SetTexture("Picture", nullptr), D3D_OK);
     },
     0x00FF00},
    {"no texture samples as opaque black", "Unchecked", Nothing, 0x000040},
    {"passes blend as their states say", "TwoPasses", Nothing, 0x808000},
};

INSTANTIATE_TEST_SUITE_P(Parameters, EffectPixelTest, testing::ValuesIn(kPixelCases));

using EffectNamesTest = EffectTest;

TEST_F(EffectNamesTest, UnknownNamesAreRefusedAndChangeNothing) {
    Com<ID3DXEffect> effect(Create(kValues));
    ASSERT_NE(effect.get(), nullptr);
    ASSERT_EQ(effect->SetTechnique("Solid"), D3D_OK);
    const float blue[] = {0.f, 0.f, 1.f, 1.f};
    // Names are case-sensitive.
    EXPECT_EQ(effect->SetFloatArray("colour", blue, 4), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloat("Missing", 1.f), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetTexture("Colour", nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetTechnique("solid"), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetTechnique("TwoPasses_"), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "colour"), nullptr);
    EXPECT_STREQ(effect->GetParameterByName(nullptr, "Colour"), "Colour");
    EXPECT_STREQ(effect->GetTechniqueByName("Sampled"), "Sampled");
    DrawPasses(effect.get());
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0xFF0000));
}

TEST_F(EffectNamesTest, ValuesLastAcrossBeginAndEnd) {
    Com<ID3DXEffect> effect(Create(kValues));
    ASSERT_NE(effect.get(), nullptr);
    const float blue[] = {0.f, 0.f, 1.f, 1.f};
    ASSERT_EQ(effect->SetFloatArray(effect->GetParameterByName(nullptr, "Colour"), blue, 4), D3D_OK);
    ASSERT_EQ(effect->SetTechnique(effect->GetTechniqueByName("Solid")), D3D_OK);
    DrawPasses(effect.get());
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0), D3D_OK);
    DrawPasses(effect.get());
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x0000FF));
}

TEST_F(EffectNamesTest, ChangesInsideAPassShowAfterCommitChanges) {
    Com<ID3DXEffect> effect(Create(kValues));
    ASSERT_NE(effect.get(), nullptr);
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    const float green[] = {0.f, 1.f, 0.f, 1.f};
    ASSERT_EQ(effect->SetFloatArray("Colour", green, 4), D3D_OK);
    ASSERT_EQ(effect->CommitChanges(), D3D_OK);
    DrawQuad();
    EXPECT_EQ(effect->EndPass(), D3D_OK);
    EXPECT_EQ(effect->End(), D3D_OK);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x00FF00));
}

// A unit square scaled by the world transform to the middle half of the
// target; the view moves it nowhere, the projection is the identity.
constexpr std::string_view kTransformed = R"(
technique FixedFunction
    pass Only
        CullMode = NONE
        fragment
void main() { fragColour = vec4(1.0, 1.0, 0.0, 1.0); }
        end
technique OwnVertexStage
    pass Only
        CullMode = NONE
        vertex
void main() {
    gl_Position = uProjection * uView * uWorld * vec4(aPosition.xyz, 1.0);
    diffuseColour = vec4(0.0, 1.0, 1.0, 1.0);
}
        end
        fragment
void main() { fragColour = diffuseColour; }
        end
)";

class EffectTransformTest : public EffectTest, public testing::WithParamInterface<std::pair<const char*, D3DCOLOR>> {};

TEST_P(EffectTransformTest, FollowsTheDevicesTransforms) {
    Com<ID3DXEffect> effect(Create(kTransformed));
    ASSERT_NE(effect.get(), nullptr);
    ASSERT_EQ(effect->SetTechnique(GetParam().first), D3D_OK);
    D3DMATRIX world = Identity();
    world._11 = world._22 = 0.5f;
    ASSERT_EQ(device()->SetTransform(D3DTS_WORLD, &world), D3D_OK);
    const D3DMATRIX identity = Identity();
    ASSERT_EQ(device()->SetTransform(D3DTS_VIEW, &identity), D3D_OK);
    ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &identity), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    const float square[] = {-1.f, -1.f, 0.5f, -1.f, 1.f, 0.5f, 1.f, -1.f, 0.5f, 1.f, 1.f, 0.5f};
    ASSERT_EQ(device()->SetFVF(D3DFVF_XYZ), D3D_OK);
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square, 12), D3D_OK);
    ASSERT_EQ(effect->EndPass(), D3D_OK);
    ASSERT_EQ(effect->End(), D3D_OK);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), GetParam().second));
    EXPECT_TRUE(ColoursNear(Pixel(5, 10), GetParam().second));
    EXPECT_TRUE(ColoursNear(Pixel(2, 2), 0x404040));
    EXPECT_TRUE(ColoursNear(Pixel(13, 13), 0x404040));
}

INSTANTIATE_TEST_SUITE_P(Stages, EffectTransformTest,
                         testing::Values(std::pair{"FixedFunction", D3DCOLOR{0xFFFF00}},
                                         std::pair{"OwnVertexStage", D3DCOLOR{0x00FFFF}}));

}  // namespace
}  // namespace d3d9_test
