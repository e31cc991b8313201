// The particles reader: required values, shader triples, and the scratch vector shared by the
// nine vector elements.
#include "graphics/ParticlesSerializer.h"

#include "tests/content/ContentFixture.h"

using namespace zumek;

namespace {

class ParticlesSerializerTest : public test::ContentFixture {};

TEST_F(ParticlesSerializerTest, ReadsCountTextureAndShaders) {
    auto particles = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>500</maxparticles>
        <texture name="spark.png"/>
        <shaders INITIALIZE_CP="PARTICLE_SHADER_INITIALIZATION" UPDATE_CP="PARTICLE_SHADER_COMPUTE_GRAVITY"
                 DISPLAY="PARTICLE_SHADER"/></component>)");
    ASSERT_TRUE(particles);
    const ParticleSettings& settings = particles->GetSettings();
    EXPECT_EQ(particles->GetCount(), 500u);
    EXPECT_EQ(settings.texture, "spark.png");
    EXPECT_EQ(settings.initializeShader, "PARTICLE_SHADER_INITIALIZATION");
    EXPECT_EQ(settings.updateShader, "PARTICLE_SHADER_COMPUTE_GRAVITY");
    EXPECT_EQ(settings.displayShader, "PARTICLE_SHADER");
    EXPECT_EQ(particles->GetInitialData()[2], settings.startColor);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(ParticlesSerializerTest, MissingComponentsRepeatTheElementReadBefore) {
    auto particles = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>10</maxparticles>
        <PositionShift x="0.1" y="0.2" z="0.3"/><StartColor r="0.9"/><Life y="7"/></component>)");
    ASSERT_TRUE(particles);
    const ParticleSettings& settings = particles->GetSettings();
    EXPECT_EQ(settings.positionShift, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(settings.startColor, glm::vec4(0.9f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(settings.endColor, glm::vec4(1.0f)); // absent: its default
    EXPECT_EQ(settings.life, glm::vec4(0.9f, 7.0f, 0.3f, 1.0f));
}

TEST_F(ParticlesSerializerTest, FirstVectorElementStartsFromOnes) {
    auto particles = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>10</maxparticles>
        <StartColor r="0.5"/><SizeRange x="0"/></component>)");
    ASSERT_TRUE(particles);
    EXPECT_EQ(particles->GetSettings().startColor, glm::vec4(0.5f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(particles->GetSettings().sizeRange, glm::vec4(0.0f, 1.0f, 1.0f, 1.0f));
}

TEST_F(ParticlesSerializerTest, RequiredValuesMissingSkipTheComponent) {
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><texture name="a.png"/></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>-5</maxparticles></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>lots</maxparticles></component>)"));
    EXPECT_FALSE(ReadComponent<Particles>(R"(<component type="particles"><maxparticles>5</maxparticles>
        <shaders INITIALIZE_CP="A" UPDATE_CP="B"/></component>)"));
    EXPECT_EQ(Errors(), std::vector<std::string>(4, "Reading particles"));
    // Without INITIALIZE_CP the other two are not read.
    auto plain = ReadComponent<Particles>(R"(<component type="particles"><maxparticles>5</maxparticles>
        <shaders UPDATE_CP="B"/></component>)");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->GetSettings().updateShader, "");
}

} // namespace
