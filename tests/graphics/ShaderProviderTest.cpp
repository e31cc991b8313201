// tests/graphics/ShaderProviderTest.cpp
// The shader and texture caches with a real GL context (the placeholder of a missing texture:
// SceneRender.MissingTextureShowsThePlaceholderAndOneLogLine).
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "engine/EngineLog.h"
#include "graphics/ShaderKeys.h"
#include "graphics/ShaderProvider.h"
#include "graphics/ShaderSerializer.h"
#include "graphics/TextureProvider.h"
#include "platform/Paths.h"
#include "platform/PngWriter.h"
#include "tests/graphics/GraphicsScene.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

TEST(ShaderProvider, EveryKeyOfTheTableLinksAndIsCompiledOnce) {
    GraphicsScene scene(32, 32);
    ShaderProvider& provider = ShaderProvider::Instance();
    std::vector<GLuint> programs;
    for (std::string_view key : kShaderKeys) {
        programs.push_back(provider.Get(std::string(key)));
        EXPECT_NE(programs.back(), 0u) << key;
    }
    const size_t count = provider.Count();
    for (size_t i = 0; i < kShaderKeys.size(); ++i)
        EXPECT_EQ(provider.Get(std::string(kShaderKeys[i])), programs[i]) << kShaderKeys[i];
    EXPECT_EQ(provider.Count(), count) << "a key asked for again is not compiled again";
}

TEST(ShaderProvider, BrokenShaderThrowsOnceWithTheDriverLogAndThenGivesZero) {
    // A resource tree of its own: every shipped shader, with Bones.frag broken and Bones.vert
    // without a final newline, and the particle compute program missing.
    fs::path root = fs::temp_directory_path() / "zumek-broken-shaders";
    fs::remove_all(root);
    fs::create_directories(root / "resources" / "shaders");
    fs::path shipped = fs::path(ZUMEK_SOURCE_ROOT) / "resources";
    fs::copy(shipped, root / "resources", fs::copy_options::recursive);
    std::ofstream(root / "resources" / "shaders" / "Bones.frag", std::ios::trunc) << "#version 410 core\nvoid main() { oops; }\n";
    fs::remove(root / "resources" / "shaders" / "TeleParticles.comp");

    GraphicsScene scene(32, 32);
    Paths::SetResourceRoot(root.string());
    ShaderProvider& provider = ShaderProvider::Instance();
    try {
        provider.Get("BONE_SHADER");
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Error compiling vertex shader");
    }
    bool named = false;
    for (const LogMessage& m : EngineLog::Instance().Records()) named |= m.text == "Error compiling vertex shader";
    EXPECT_TRUE(named);
    EXPECT_EQ(provider.Get("BONE_SHADER"), 0u) << "no second throw, no second compile";

    EXPECT_THROW(provider.Get("PARTICLE_SHADER_COMPUTE_TELEPORT"), std::runtime_error);
    EXPECT_EQ(provider.TryGet("PARTICLE_SHADER_COMPUTE_TELEPORT"), 0u);

    std::ofstream(root / "resources" / "shaders" / "nonl.txt", std::ios::binary) << "a\nb";
    std::string source;
    ASSERT_TRUE(ShaderSerializer::ReadSource("nonl.txt", source));
    EXPECT_EQ(source, "a\nb\n") << "the source always ends with a newline";
}

/// A resource tree of its own: the shipped shaders, and a texture folder.
fs::path ScratchTree(const char* name) {
    fs::path root = fs::temp_directory_path() / name;
    fs::remove_all(root);
    fs::create_directories(root / "resources" / "textures");
    fs::copy(fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "shaders", root / "resources" / "shaders", fs::copy_options::recursive);
    return root;
}

bool Linked(GLuint program) {
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE;
}

// A broken edit, reported with the file and the driver's message, keeps the working program:
// tests/scenes/hot_reload.sh.
TEST(ShaderProvider, ReloadSwapsNewCodeIntoTheSameProgram) {
    fs::path root = ScratchTree("zumek-reload-shaders");
    GraphicsScene scene(32, 32);
    Paths::SetResourceRoot(root.string());
    ShaderProvider& provider = ShaderProvider::Instance();
    const GLuint program = provider.Get("TEXT_SHADER");
    ASSERT_NE(program, 0u);
    std::vector<std::string> failures;
    EXPECT_TRUE(provider.ReloadFile("Unused.frag", failures).empty()) << "no program uses it";

    // A value drawing code sets once (a sampler unit) must survive the relink.
    const GLint sampler = glGetUniformLocation(program, "texture0");
    ASSERT_GE(sampler, 0);
    glProgramUniform1i(program, sampler, 3);
    std::ofstream(root / "resources" / "shaders" / "TextVertexShader.frag", std::ios::app) << "// edited\n";
    EXPECT_EQ(provider.ReloadFile("TextVertexShader.frag", failures), (std::vector<std::string>{"TEXT_SHADER"}));
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(provider.Get("TEXT_SHADER"), program) << "holders of the program must draw with the new code";
    EXPECT_TRUE(Linked(program));
    GLint stages = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &stages);
    EXPECT_EQ(stages, 2) << "the old stages are let go";
    GLint unit = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "texture0"), &unit);
    EXPECT_EQ(unit, 3) << "the relink reset a uniform drawing code set once";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    fs::remove_all(root);
}

TEST(TextureProvider, LoadsOnceAndReloadReadsTheFileIntoTheSameTexture) {
    fs::path root = ScratchTree("zumek-reload-textures");
    const uint8_t red[4 * 3] = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
    ASSERT_TRUE(WritePng((root / "resources" / "textures" / "swatch.png").string(), 2, 2, 3, red, false));
    GraphicsScene scene(32, 32);
    Paths::SetResourceRoot(root.string());
    TextureProvider& textures = TextureProvider::Instance();
    EXPECT_FALSE(textures.Reload("swatch.png")) << "never loaded: nothing to reload";
    Texture* texture = textures.Get("swatch.png");
    EXPECT_EQ(textures.Get("swatch.png"), texture) << "loaded once";
    const uint32_t name = texture->name;
    std::vector<uint8_t> green(4 * 2 * 3, 0);
    for (size_t i = 1; i < green.size(); i += 3) green[i] = 255;
    ASSERT_TRUE(WritePng((root / "resources" / "textures" / "swatch.png").string(), 4, 2, 3, green.data(), false));
    EXPECT_TRUE(textures.Reload("swatch.png"));
    EXPECT_EQ(texture->name, name);
    EXPECT_EQ(texture->width, 4u);
    glBindTexture(GL_TEXTURE_2D, name);
    std::vector<uint8_t> pixels(4 * 2 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[1], 255) << "the new green picture";
    fs::remove_all(root);
}

} // namespace
} // namespace zumek
