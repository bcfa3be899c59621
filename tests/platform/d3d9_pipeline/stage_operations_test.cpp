// Texture-stage operations on known colours: the diffuse colour, the
// texture factor and the specular colour as arguments, and the cascade's
// end where a stage reads a texture that is not there.
#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace d3d9_test {
namespace {

constexpr D3DCOLOR kDiffuse = 0x8040C020;   // a 0x80, r 0x40, g 0xC0, b 0x20
constexpr D3DCOLOR kFactor = 0x408060F0;    // a 0x40, r 0x80, g 0x60, b 0xF0
constexpr D3DCOLOR kSpecular = 0x00102030;

struct StageCase {
    const char* name;
    DWORD op, arg1, arg2;
    D3DCOLOR expected;  // 0x00RRGGBB
};

// Colour operations with arg1 = TFACTOR and arg2 = DIFFUSE unless stated.
const StageCase kColourCases[] = {
    {"SelectArg1", D3DTOP_SELECTARG1, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x8060F0},
    {"SelectArg2", D3DTOP_SELECTARG2, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x40C020},
    {"Modulate", D3DTOP_MODULATE, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x20481E},
    {"Modulate2x", D3DTOP_MODULATE2X, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x40913C},
    {"Modulate4x", D3DTOP_MODULATE4X, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x80FF78},
    {"Add", D3DTOP_ADD, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0xC0FFFF},
    {"AddSigned", D3DTOP_ADDSIGNED, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x40A090},
    {"Subtract", D3DTOP_SUBTRACT, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x4000D0},
    {"BlendDiffuseAlpha", D3DTOP_BLENDDIFFUSEALPHA, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x609088},
    {"BlendFactorAlpha", D3DTOP_BLENDFACTORALPHA, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x50A854},
    {"BlendCurrentAlpha", D3DTOP_BLENDCURRENTALPHA, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x609088},
    {"Complement", D3DTOP_SELECTARG1, D3DTA_TFACTOR | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, 0x7F9F0F},
    {"AlphaReplicate", D3DTOP_SELECTARG1, D3DTA_DIFFUSE | D3DTA_ALPHAREPLICATE, D3DTA_TFACTOR, 0x808080},
    {"Specular", D3DTOP_SELECTARG1, D3DTA_SPECULAR, D3DTA_DIFFUSE, 0x102030},
    {"CurrentIsDiffuseOnStageZero", D3DTOP_SELECTARG2, D3DTA_TFACTOR, D3DTA_CURRENT, 0x40C020},
};

// Alpha operations, shown as grey by a second stage that replicates alpha.
const StageCase kAlphaCases[] = {
    {"SelectArg1", D3DTOP_SELECTARG1, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x404040},
    {"Modulate", D3DTOP_MODULATE, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x202020},
    {"Add", D3DTOP_ADD, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0xC0C0C0},
    {"Complement", D3DTOP_SELECTARG1, D3DTA_TFACTOR | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, 0xBFBFBF},
    // A disabled alpha operation under an enabled colour one passes the alpha on.
    {"Disable", D3DTOP_DISABLE, D3DTA_TFACTOR, D3DTA_DIFFUSE, 0x808080},
};

class StageOperationTest : public PipelineTest {
protected:
    void SetUp() override {
        PipelineTest::SetUp();
        ASSERT_EQ(device()->SetRenderState(D3DRS_TEXTUREFACTOR, kFactor), D3D_OK);
    }
    void DrawFull() {
        const ScreenSpecularVertex quad[] = {{-0.5f, 15.5f, 0.f, 1.f, kDiffuse, kSpecular},
                                             {-0.5f, -0.5f, 0.f, 1.f, kDiffuse, kSpecular},
                                             {15.5f, 15.5f, 0.f, 1.f, kDiffuse, kSpecular},
                                             {15.5f, -0.5f, 0.f, 1.f, kDiffuse, kSpecular}};
        ASSERT_EQ(device()->SetFVF(kScreenSpecularFvf), D3D_OK);
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    }
    void Stage(DWORD stage, DWORD colorOp, DWORD colorArg1, DWORD colorArg2) {
        ASSERT_EQ(device()->SetTextureStageState(stage, D3DTSS_COLOROP, colorOp), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(stage, D3DTSS_COLORARG1, colorArg1), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(stage, D3DTSS_COLORARG2, colorArg2), D3D_OK);
    }
};

TEST_F(StageOperationTest, ColourOperationsOnKnownColours) {
    for (const StageCase& c : kColourCases) {
        SCOPED_TRACE(c.name);
        Stage(0, c.op, c.arg1, c.arg2);
        DrawFull();
        EXPECT_TRUE(ColoursNear(Pixel(7, 7), c.expected));
    }
}

TEST_F(StageOperationTest, AlphaOperationsOnKnownColours) {
    Stage(0, D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE);
    Stage(1, D3DTOP_SELECTARG1, D3DTA_CURRENT | D3DTA_ALPHAREPLICATE, D3DTA_DIFFUSE);
    for (const StageCase& c : kAlphaCases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAOP, c.op), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG1, c.arg1), D3D_OK);
        ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG2, c.arg2), D3D_OK);
        DrawFull();
        EXPECT_TRUE(ColoursNear(Pixel(7, 7), c.expected));
    }
}

TEST_F(StageOperationTest, StageReadingAMissingTextureEndsTheCascade) {
    // The defaults: stage 0 modulates a texture that is not there.
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x40C020)) << "stage 0 skipped: the diffuse colour";

    Stage(0, D3DTOP_SELECTARG1, D3DTA_TFACTOR, D3DTA_DIFFUSE);
    Stage(1, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_CURRENT);
    Stage(2, D3DTOP_SELECTARG1, D3DTA_SPECULAR, D3DTA_CURRENT);
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x8060F0)) << "stages 1 and 2 skipped: stage 0's result";

    // A stage that does not read its texture goes on without one.
    Stage(1, D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_CURRENT);
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x102030)) << "stage 2 reached";
}

TEST_F(StageOperationTest, CurrentSaturatesBetweenStages) {
    // Factor plus diffuse overflows green and blue; the next stage takes
    // the diffuse from what was kept of them.
    Stage(0, D3DTOP_ADD, D3DTA_TFACTOR, D3DTA_DIFFUSE);
    Stage(1, D3DTOP_SUBTRACT, D3DTA_CURRENT, D3DTA_DIFFUSE);
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x803FDF));
}

TEST_F(StageOperationTest, DisabledStageEndsTheCascade) {
    Stage(0, D3DTOP_SELECTARG1, D3DTA_TFACTOR, D3DTA_DIFFUSE);
    Stage(1, D3DTOP_DISABLE, D3DTA_TFACTOR, D3DTA_DIFFUSE);
    Stage(2, D3DTOP_SELECTARG1, D3DTA_SPECULAR, D3DTA_CURRENT);
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x8060F0));
}

TEST_F(StageOperationTest, SpecularIsAddedWhenEnabled) {
    Stage(0, D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_SPECULARENABLE, TRUE), D3D_OK);
    DrawFull();
    EXPECT_TRUE(ColoursNear(Pixel(3, 3), 0x50E050));
}

TEST_F(StageOperationTest, VerticesWithoutDiffuseAreWhite) {
    const float quad[][4] = {{-0.5f, 15.5f, 0.f, 1.f}, {-0.5f, -0.5f, 0.f, 1.f}, {15.5f, 15.5f, 0.f, 1.f},
                             {15.5f, -0.5f, 0.f, 1.f}};
    Stage(0, D3DTOP_SELECTARG1, D3DTA_DIFFUSE, D3DTA_DIFFUSE);
    ASSERT_EQ(device()->SetFVF(D3DFVF_XYZRHW), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    EXPECT_EQ(Pixel(5, 5), 0xFFFFFFu);
}

}  // namespace
}  // namespace d3d9_test
