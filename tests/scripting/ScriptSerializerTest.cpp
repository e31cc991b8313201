// The script reader: the class name is required.
#include "scripting/ScriptSerializer.h"

#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class ScriptSerializerTest : public test::ContentFixture {};

TEST_F(ScriptSerializerTest, ReadsTheClassName) {
    auto script = ReadComponent<Script>(R"(<component type="script"><key>Door</key></component>)");
    ASSERT_TRUE(script);
    EXPECT_EQ(script->GetClassName(), "Door");
}

TEST_F(ScriptSerializerTest, MissingKeySkipsTheComponentWithOneError) {
    EXPECT_FALSE(ReadComponent<Script>(R"(<component type="script"/>)"));
    EXPECT_FALSE(ReadComponent<Script>(R"(<component type="script"><key/></component>)"));
    EXPECT_EQ(Errors(), std::vector<std::string>(2, "Reading script key"));
}

} // namespace
