// graphics/ShaderSerializer.cpp
#include "graphics/ShaderSerializer.h"

#include <GL/glew.h>

#include <fstream>
#include <stdexcept>
#include <vector>

#include "content/ContentType.h"
#include "engine/EngineLog.h"
#include "graphics/ShaderKeys.h"

namespace zumek {
namespace {

GLenum StageOf(std::string_view file) {
    if (file.find(".vert") != std::string_view::npos) return GL_VERTEX_SHADER;
    if (file.find(".frag") != std::string_view::npos) return GL_FRAGMENT_SHADER;
    if (file.find(".geom") != std::string_view::npos) return GL_GEOMETRY_SHADER;
    if (file.find(".comp") != std::string_view::npos) return GL_COMPUTE_SHADER;
    return 0;
}

std::string InfoLog(GLuint object, bool program) {
    GLint length = 0;
    if (program) glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<size_t>(std::max(length, 1)), '\0');
    if (program) glGetProgramInfoLog(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
    else glGetShaderInfoLog(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
    std::string log(text.data());
    while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
    return log;
}

} // namespace

bool ShaderSerializer::ReadSource(const std::string& file, std::string& source) {
    std::ifstream in(GetContentPath(ContentType::Shader, file));
    if (!in) return false;
    source.clear();
    std::string line;
    while (std::getline(in, line)) source.append(line).push_back('\n');
    return true;
}

unsigned int ShaderSerializer::Deserialize() {
    std::vector<GLuint> shaders;
    for (std::string_view fileView : ShaderSourceFiles(m_key)) {
        std::string file(fileView);
        GLenum stage = StageOf(file);
        if (stage == 0) continue;
        std::string source;
        if (!ReadSource(file, source)) {
            m_problem = GetContentPath(ContentType::Shader, file);
            ReportProblem(Error, "The file could not be open", m_problem);
            throw std::runtime_error("The file could not be open");
        }
        GLuint shader = glCreateShader(stage);
        const char* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        GLint status = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
        if (status != GL_TRUE) {
            // The message text is fixed; the file and the driver's explanation go along with it.
            m_problem = "shader " + m_key + ", file " + GetContentPath(ContentType::Shader, file) + ":\n" + InfoLog(shader, false);
            ReportProblem(Error, "Error compiling vertex shader", m_problem);
            glDeleteShader(shader);
            for (GLuint done : shaders) glDeleteShader(done);
            throw std::runtime_error("Error compiling vertex shader");
        }
        shaders.push_back(shader);
    }
    GLuint program = glCreateProgram();
    for (GLuint shader : shaders) glAttachShader(program, shader);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        // Using an unlinked program would raise a GL error on every draw: report it once and
        // hand out 0, which the drawing code treats as "draw nothing".
        m_problem = "shader " + m_key + ":\n" + InfoLog(program, true);
        ReportProblem(Error, "Error linking shader program", m_problem);
        glDeleteProgram(program);
        for (GLuint shader : shaders) glDeleteShader(shader);
        return 0;
    }
    return program;
}

} // namespace zumek
