// The fixture builder writes exactly the bytes assembled by hand.
#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "scene/document/writer/document_builder.h"

namespace {

TEST(DocumentBuilder, MinimalDocumentMatchesTheHandBuiltOne) {
    EXPECT_EQ(MinimalSceneDocument(), HandBuiltDocument());
}

TEST(DocumentBuilder, WritesValuesInOrder) {
    const Bytes built = DocumentBuilder()
                            .Record(L"KV_Test", 2)
                            .UInt(50)
                            .Int(-1)
                            .Int64(1)
                            .Float(-0.5f)
                            .Bool(true)
                            .Bytes();
    EXPECT_EQ(built, Join({Frame(u"KV_Test", 2), Le32(50), Le32(0xFFFFFFFF),
                           Le32(1), Le32(0), Le32(0xBF000000), {0x01}}));
}

}  // namespace
