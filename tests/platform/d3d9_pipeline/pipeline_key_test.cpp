// The program cache's key: what changes only uniforms shares a program,
// what changes the code does not, and the cascade decides which stages count.
#include <gtest/gtest.h>

#include "d3d9/pipeline/pipeline_key.h"
#include "d3d9/pipeline/vertex_format.h"

namespace platform::d3d9::pipeline {
namespace {

class PipelineKeyTest : public testing::Test {
protected:
    StateBlock states = StateBlock::Defaults(true);
    VertexFormat format = DecodeFvf(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    PipelineKey Key(uint32_t textured = 1) const { return BuildKey(states, format, textured, 0, 0); }
};

TEST_F(PipelineKeyTest, UniformOnlyStatesShareTheProgram) {
    const PipelineKey before = Key();
    states.renderStates[D3DRS_TEXTUREFACTOR] = 0x12345678;
    states.renderStates[D3DRS_ALPHAREF] = 0x40;
    states.stageStates[0][D3DTSS_BUMPENVMAT00] = 0x3F800000;
    states.transforms[D3DTS_WORLD].m[3][0] = 5.f;
    states.renderStates[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;  // GL state, not code
    EXPECT_EQ(Key(), before);
    EXPECT_EQ(PipelineKeyHash{}(Key()), PipelineKeyHash{}(before));
}

TEST_F(PipelineKeyTest, CodeChangingStatesMakeAnotherProgram) {
    const PipelineKey before = Key();
    states.stageStates[0][D3DTSS_COLOROP] = D3DTOP_ADD;
    EXPECT_NE(Key(), before);
    states = StateBlock::Defaults(true);
    states.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
    EXPECT_NE(Key(), before);
    states = StateBlock::Defaults(true);
    states.renderStates[D3DRS_ALPHATESTENABLE] = TRUE;
    states.renderStates[D3DRS_ALPHAFUNC] = D3DCMP_GREATER;
    EXPECT_NE(Key(), before);
}

TEST_F(PipelineKeyTest, StagesAfterTheCascadesEndDoNotCount) {
    const PipelineKey defaults = Key();
    states.stageStates[2][D3DTSS_COLOROP] = D3DTOP_ADD;  // after the disabled stage 1
    EXPECT_EQ(Key().stageCount, 1);
    EXPECT_EQ(Key(), defaults);
    EXPECT_EQ(Key(0).stageCount, 0) << "stage 0 reads a texture that is not there";
}

TEST_F(PipelineKeyTest, FvfLayouts) {
    const VertexFormat twoPairs = DecodeFvf(0x302);
    ASSERT_TRUE(twoPairs.valid);
    EXPECT_EQ(twoPairs.coordinateSets, 3u);
    EXPECT_EQ(twoPairs.coordinateOffset[1], 20u);
    EXPECT_EQ(twoPairs.size, 36u);
    const VertexFormat lit = DecodeFvf(0x152);
    ASSERT_TRUE(lit.valid);
    EXPECT_EQ(lit.normalOffset, 12u);
    EXPECT_EQ(lit.diffuseOffset, 24u);
    EXPECT_EQ(lit.coordinateOffset[0], 28u);
    EXPECT_EQ(DecodeFvf(0x144).size, 28u);
    EXPECT_FALSE(DecodeFvf(D3DFVF_XYZB2).valid);
}

}  // namespace
}  // namespace platform::d3d9::pipeline
