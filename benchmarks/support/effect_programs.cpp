#include "benchmarks/support/effect_programs.h"

#include <fstream>
#include <sstream>

namespace {

std::string Trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

GLuint Shader(GLenum type, const std::string& source)
{
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

constexpr char kVertexProgram[] =
    "#version 330 core\nlayout(location = 0) in vec4 p;\nlayout(location = 1) in vec4 colour;\n"
    "out vec4 texCoord0;\nout vec4 texCoord1;\nout vec4 diffuseColour;\n"
    "void main() { gl_Position = vec4(p.xy, 0.0, 1.0); texCoord0 = vec4(p.zw, 0.0, 1.0);\n"
    "texCoord1 = vec4(0.5 + 0.5 * p.x, 0.5 - 0.5 * p.y, 0.0, 1.0); diffuseColour = colour; }\n";

}  // namespace

std::string ReadEffectFile(const char* name)
{
    std::ifstream file(std::string(SAVER_EFFECTS_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Parameters are declared before the first technique; a block of GLSL runs
// from its stage's line to "end".
FragmentProgram ReadTechnique(const std::string& text, const std::string& technique)
{
    const std::map<std::string, std::string> types = {
        {"float", "float"}, {"float2", "vec2"}, {"float3", "vec3"}, {"float4", "vec4"}, {"texture", "bool"}};
    FragmentProgram program;
    std::string declarations = "#version 330 core\nin vec4 texCoord0;\nin vec4 texCoord1;\nin vec4 diffuseColour;\nout vec4 fragColour;\n";
    std::string body, current, block;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string trimmed = Trimmed(line);
        if (!block.empty()) {
            if (trimmed == "end")
                block.clear();
            else if (block == "fragment" && current == technique)
                body += line + "\n";
            continue;
        }
        std::istringstream words(trimmed);
        std::string first, name, equals, texture;
        words >> first >> name >> equals >> texture;
        if (types.count(first) && current.empty()) {
            declarations += "uniform " + types.at(first) + " " + name + ";\n";
            if (first == "texture")
                program.textures.push_back(name);
        } else if (first == "sampler") {
            declarations += "uniform sampler2D " + name + ";\n";
            program.samplers[name] = texture;
        } else if (first == "technique") {
            current = name;
        } else if (first == "fragment" || first == "vertex") {
            block = first;
        }
    }
    program.source = declarations + body;
    return program;
}

GLuint Link(const FragmentProgram& fragment)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, Shader(GL_VERTEX_SHADER, kVertexProgram));
    glAttachShader(program, Shader(GL_FRAGMENT_SHADER, fragment.source));
    glLinkProgram(program);
    return program;
}

GLuint Texture(UINT width, UINT height, const std::vector<uint32_t>* texels, GLint wrap)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, texels ? texels->data() : nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    return texture;
}

GLuint Framebuffer(GLuint texture)
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    return framebuffer;
}
