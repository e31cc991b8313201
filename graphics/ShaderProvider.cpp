// graphics/ShaderProvider.cpp
#include "graphics/ShaderProvider.h"

#include <GL/glew.h>

#include <algorithm>
#include <exception>

#include "graphics/ShaderKeys.h"
#include "graphics/ShaderSerializer.h"

namespace zumek {
namespace {

/// One uniform's value (one array element each), kept across a relink.
struct SavedUniform {
    std::string name;
    GLenum type = 0;
    std::vector<GLfloat> floats;
    std::vector<GLint> ints;
};

/// Components of the uniform types drawing code sets once and relies on; 0 for other types.
int FloatComponents(GLenum type) {
    switch (type) {
    case GL_FLOAT: return 1;
    case GL_FLOAT_VEC2: return 2;
    case GL_FLOAT_VEC3: return 3;
    case GL_FLOAT_VEC4: return 4;
    case GL_FLOAT_MAT3: return 9;
    case GL_FLOAT_MAT4: return 16;
    default: return 0;
    }
}

bool IsIntLike(GLenum type) {
    switch (type) {
    case GL_INT: case GL_BOOL: case GL_SAMPLER_2D: case GL_SAMPLER_3D: case GL_SAMPLER_CUBE:
    case GL_SAMPLER_2D_ARRAY: case GL_SAMPLER_BUFFER: case GL_INT_SAMPLER_2D: case GL_UNSIGNED_INT_SAMPLER_2D:
    case GL_INT_SAMPLER_BUFFER: case GL_UNSIGNED_INT_SAMPLER_BUFFER: case GL_IMAGE_2D: case GL_IMAGE_BUFFER:
        return true;
    default: return false;
    }
}

/// A relink resets every uniform to zero, while drawing code sets some only once (sampler units,
/// for one): their values are read before and written back after, by name.
std::vector<SavedUniform> SaveUniforms(GLuint program) {
    std::vector<SavedUniform> saved;
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, &length, &size, &type, name);
        const int floats = FloatComponents(type);
        if (floats == 0 && !IsIntLike(type)) continue;
        std::string base(name, static_cast<size_t>(length));
        if (const size_t bracket = base.find('['); bracket != std::string::npos) base.resize(bracket);
        for (GLint element = 0; element < size; ++element) {
            SavedUniform uniform;
            uniform.name = size > 1 ? base + "[" + std::to_string(element) + "]" : base;
            uniform.type = type;
            const GLint location = glGetUniformLocation(program, uniform.name.c_str());
            if (location < 0) continue; // a block member: its buffer keeps its data
            if (floats > 0) {
                uniform.floats.resize(static_cast<size_t>(floats));
                glGetUniformfv(program, location, uniform.floats.data());
            } else {
                uniform.ints.resize(1);
                glGetUniformiv(program, location, uniform.ints.data());
            }
            saved.push_back(std::move(uniform));
        }
    }
    return saved;
}

void RestoreUniforms(GLuint program, const std::vector<SavedUniform>& saved) {
    std::map<std::string, GLenum> present;
    for (const SavedUniform& uniform : SaveUniforms(program)) present[uniform.name] = uniform.type;
    for (const SavedUniform& uniform : saved) {
        auto found = present.find(uniform.name);
        // Only a uniform the new code still has, with the same type, takes its old value back.
        if (found == present.end() || found->second != uniform.type) continue;
        const GLint location = glGetUniformLocation(program, uniform.name.c_str());
        const GLfloat* f = uniform.floats.data();
        switch (uniform.type) {
        case GL_FLOAT: glProgramUniform1fv(program, location, 1, f); break;
        case GL_FLOAT_VEC2: glProgramUniform2fv(program, location, 1, f); break;
        case GL_FLOAT_VEC3: glProgramUniform3fv(program, location, 1, f); break;
        case GL_FLOAT_VEC4: glProgramUniform4fv(program, location, 1, f); break;
        case GL_FLOAT_MAT3: glProgramUniformMatrix3fv(program, location, 1, GL_FALSE, f); break;
        case GL_FLOAT_MAT4: glProgramUniformMatrix4fv(program, location, 1, GL_FALSE, f); break;
        default: glProgramUniform1iv(program, location, 1, uniform.ints.data()); break;
        }
    }
}

} // namespace

ShaderProvider& ShaderProvider::Instance() {
    static ShaderProvider* instance = new ShaderProvider();
    return *instance;
}

unsigned int ShaderProvider::Get(const std::string& key) {
    auto it = m_programs.find(key);
    if (it != m_programs.end()) return it->second;
    ShaderSerializer serializer(key);
    // Entered before loading: a load that throws leaves 0 behind, so it is tried only once.
    auto& slot = m_programs[key];
    slot = 0;
    slot = serializer.Deserialize();
    return slot;
}

unsigned int ShaderProvider::TryGet(const std::string& key) {
    try {
        return Get(key);
    } catch (const std::exception&) {
        return 0; // reported by the serializer
    }
}

size_t ShaderProvider::GlObjectCount() const {
    size_t count = 0;
    for (const auto& [key, program] : m_programs) {
        if (program == 0 || !glIsProgram(program)) continue;
        GLint shaders = 0;
        glGetProgramiv(program, GL_ATTACHED_SHADERS, &shaders);
        count += 1 + static_cast<size_t>(std::max(shaders, 0));
    }
    return count;
}

std::vector<std::string> ShaderProvider::ReloadFile(const std::string& file, std::vector<std::string>& failures) {
    std::vector<std::string> reloaded;
    for (auto& [key, program] : m_programs) {
        const auto files = ShaderSourceFiles(key);
        if (std::find(files.begin(), files.end(), file) == files.end()) continue;
        // Built apart first: a broken edit must leave the program in use untouched.
        ShaderSerializer serializer(key);
        GLuint fresh = 0;
        try {
            fresh = serializer.Deserialize();
        } catch (const std::exception&) {
            fresh = 0;
        }
        if (fresh == 0) {
            failures.push_back(serializer.Problem().empty() ? key : serializer.Problem());
            continue;
        }
        if (program == 0) {
            program = fresh; // it never loaded: the new one simply takes its place
            reloaded.push_back(key);
            continue;
        }
        // Drawables keep the program's name, so the new stages are linked into the old program
        // (they linked once already, so this link succeeds) and the scratch program is dropped.
        const std::vector<SavedUniform> uniforms = SaveUniforms(program);
        GLuint stages[8];
        GLsizei oldCount = 0, newCount = 0;
        glGetAttachedShaders(program, 8, &oldCount, stages);
        for (GLsizei i = 0; i < oldCount; ++i) {
            glDetachShader(program, stages[i]);
            glDeleteShader(stages[i]);
        }
        glGetAttachedShaders(fresh, 8, &newCount, stages);
        for (GLsizei i = 0; i < newCount; ++i) glAttachShader(program, stages[i]);
        glLinkProgram(program);
        for (GLsizei i = 0; i < newCount; ++i) glDetachShader(fresh, stages[i]);
        glDeleteProgram(fresh);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked == GL_TRUE) {
            RestoreUniforms(program, uniforms);
            reloaded.push_back(key);
        } else {
            failures.push_back(key + ": the program did not link again");
        }
    }
    return reloaded;
}

} // namespace zumek
