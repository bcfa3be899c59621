// Data an effect cannot be made from fails with D3DXERR_INVALIDDATA, no
// effect and a message: compiled effects of other tools, empty data,
// every prefix and seeded mutations of a good text, and GLSL errors,
// which name their line.
#include <random>
#include <string>

#include "d3dx9/effect/effect_description.h"
#include "platform/d3dx9_effects/effect_fixture.h"

namespace d3d9_test {
namespace {

constexpr std::string_view kGood = R"(float2 Scale = 1 1
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
)";

struct Created {
    HRESULT result;
    ID3DXEffect* effect;
    std::string errors;
};

class EffectDataTest : public EffectTest {
protected:
    Created Try(const void* data, UINT size) {
        Created created{E_FAIL, reinterpret_cast<ID3DXEffect*>(1), {}};
        Com<ID3DXBuffer> errors;
        created.result = D3DXCreateEffect(device(), data, size, nullptr, nullptr, 0, nullptr, &created.effect,
                                          errors.out());
        if (errors.get()) created.errors = static_cast<const char*>(errors->GetBufferPointer());
        return created;
    }
    // Either an effect, or INVALIDDATA with nothing made and a reason.
    void ExpectCleanOutcome(std::string_view text) {
        const Created created = Try(text.data(), static_cast<UINT>(text.size()));
        if (created.result == D3D_OK) {
            ASSERT_NE(created.effect, nullptr);
            created.effect->Release();
            return;
        }
        EXPECT_EQ(created.result, D3DXERR_INVALIDDATA);
        EXPECT_EQ(created.effect, nullptr);
        EXPECT_FALSE(created.errors.empty());
    }
};

TEST_F(EffectDataTest, RefusesWhatItCannotRun) {
    const unsigned char compiled[] = {0x01, 0x09, 0xFF, 0xFE, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00};
    const struct {
        const char* name;
        std::string data;
    } cases[] = {
        {"compiled fx_2_0", std::string(reinterpret_cast<const char*>(compiled), sizeof compiled)},
        {"empty", ""},
        {"no technique", "float Scale = 1\n"},
        {"a pass without a fragment stage", "technique T\n    pass P\n"},
        {"a stage without end", "technique T\n    pass P\n        fragment\nvoid main() {}\n"},
        {"an unknown state", "technique T\n    pass P\n        Blending = TRUE\n"},
        {"a sampler of a float", "float F\nsampler S = F\n"},
        {"a default of the wrong size", "float2 F = 1\n"},
        {"a NUL in the text", std::string("float F = 1\n\0technique", 21)},
    };
    for (const auto& c : cases) {
        const Created created = Try(c.data.data(), static_cast<UINT>(c.data.size()));
        EXPECT_EQ(created.result, D3DXERR_INVALIDDATA) << c.name;
        EXPECT_EQ(created.effect, nullptr) << c.name;
        EXPECT_NE(created.errors.find("line "), std::string::npos) << c.name << ": " << created.errors;
    }
    EXPECT_EQ(Try(nullptr, 4).result, D3DERR_INVALIDCALL);
}

TEST_F(EffectDataTest, GlslErrorsNameTheirLine) {
    const std::string_view text = R"(float Amount = 1
technique Broken
    pass Only
        fragment
void main() {
    fragColour = vec4(Amount);
    fragColour += undeclared;
}
        end
)";
    const Created created = Try(text.data(), static_cast<UINT>(text.size()));
    EXPECT_EQ(created.result, D3DXERR_INVALIDDATA);
    EXPECT_EQ(created.effect, nullptr);
    EXPECT_NE(created.errors.find("pass \"Only\""), std::string::npos) << created.errors;
    EXPECT_NE(created.errors.find("fragment stage"), std::string::npos) << created.errors;
    EXPECT_NE(created.errors.find(":7("), std::string::npos) << created.errors;  // Mesa's 0:line(column)
}

TEST_F(EffectDataTest, EveryPrefixFailsCleanly) {
    const Created whole = Try(kGood.data(), static_cast<UINT>(kGood.size()));
    ASSERT_EQ(whole.result, D3D_OK) << whole.errors;
    whole.effect->Release();
    for (size_t size = 0; size < kGood.size(); ++size) ExpectCleanOutcome(kGood.substr(0, size));
}

// Through the parser alone for speed, then a share of them on to the device.
TEST_F(EffectDataTest, SeededMutationsFailCleanly) {
    std::mt19937 random(13);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text(kGood);
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = random() % text.size();
            switch (random() % 3) {
                case 0: text[at] = static_cast<char>(random() % 256); break;
                case 1: text.erase(at, 1 + random() % 8); break;
                default: text.insert(at, 1, static_cast<char>(random() % 256)); break;
            }
            if (text.empty()) text = "x";
        }
        platform::d3dx9::EffectDescription description;
        std::string error;
        if (platform::d3dx9::ParseEffect(text, description, error)) {
            ++parsed;
        } else {
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        }
        if (round % 10 == 0) ExpectCleanOutcome(text);
    }
    // Mutations of names and numbers inside lines still parse: both ways are taken.
    EXPECT_GT(parsed, 0);
    EXPECT_LT(parsed, 3000);
}

}  // namespace
}  // namespace d3d9_test
