#include "d3d9/pipeline/glsl_generator.h"

#include "d3d9/pipeline/pixel_centre.h"

#include <string_view>
#include <vector>

namespace platform::d3d9::pipeline {
namespace {

std::string Text(const std::string& value) { return value; }
std::string Text(const char* value) { return value; }
template <typename Number>
std::string Text(Number value) { return std::to_string(value); }

// "{}" takes the next argument, "{n}" the n-th; "{{" and "}}" are braces.
template <typename... Arguments>
std::string Format(std::string_view pattern, const Arguments&... arguments) {
    const std::vector<std::string> values{Text(arguments)...};
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
            text += c;
            ++i;
        } else if (c == '{') {
            const size_t close = pattern.find('}', i);
            const std::string_view inside = pattern.substr(i + 1, close - i - 1);
            const size_t index = inside.empty() ? next++ : static_cast<size_t>(std::stoi(std::string(inside)));
            text += values.at(index);
            i = close;
        } else {
            text += c;
        }
    }
    return text;
}

const char* MaterialSourceExpression(uint8_t source, const char* material) {
    if (source == kVertexDiffuse) return "aDiffuse";
    if (source == kVertexSpecular) return "aSpecular";
    return material;
}

// The coordinate vector a stage's set or generated source gives, padded as
// Direct3D pads it before a texture transform: the component after the
// last one given is 1 (so a 2D set's translation sits in the third row).
std::string CoordinateVector(const StageKey& stage) {
    if (stage.coordinateSource == kCameraSpacePosition) return "vec4(cameraPosition, 1.0)";
    const std::string set = Format("aCoordinates{}", stage.coordinateSource);
    switch (stage.coordinateComponents) {
        case 1: return Format("vec4({}.x, 1.0, 0.0, 0.0)", set);
        case 2: return Format("vec4({}.xy, 1.0, 0.0)", set);
        case 3: return Format("vec4({}.xyz, 1.0)", set);
        case 4: return set;
        default: return "vec4(0.0, 0.0, 0.0, 1.0)";
    }
}

void VertexLighting(const PipelineKey& key, std::string& code) {
    code += Format(
        "    vec4 materialDiffuse = {};\n    vec4 materialAmbient = {};\n"
        "    vec4 materialSpecular = {};\n    vec4 materialEmissive = {};\n",
        MaterialSourceExpression(key.diffuseSource, "uMaterial[0]"),
        MaterialSourceExpression(key.ambientSource, "uMaterial[1]"),
        MaterialSourceExpression(key.specularSource, "uMaterial[2]"),
        MaterialSourceExpression(key.emissiveSource, "uMaterial[3]"));
    code += key.normal ? "    vec3 normal = uNormalMatrix * aNormal;\n" : "    vec3 normal = vec3(0.0);\n";
    if (key.normal && key.normalize) code += "    normal = normalize(normal);\n";
    code += "    vec3 ambient = uAmbient.rgb;\n    vec3 diffuse = vec3(0.0);\n    vec3 specular = vec3(0.0);\n";
    // Without a local viewer the eye is taken far down the camera's -z axis.
    code += key.localViewer ? "    vec3 toViewer = normalize(-cameraPosition);\n"
                            : "    vec3 toViewer = vec3(0.0, 0.0, -1.0);\n";
    code += Format("    for (int i = 0; i < {}; ++i) {{\n", key.lightCount);
    code +=
        "        ambient += uLightAmbient[i].rgb;\n"
        "        float facing = dot(normal, uLightDirection[i]);\n"
        "        if (facing > 0.0) {\n"
        "            diffuse += uLightDiffuse[i].rgb * facing;\n";
    if (key.specularEnable) {
        code +=
            "            float half_ = max(dot(normal, normalize(toViewer + uLightDirection[i])), 0.0);\n"
            "            specular += uLightSpecular[i].rgb * (uPower > 0.0 ? pow(half_, uPower) : 1.0);\n";
    }
    code +=
        "        }\n    }\n"
        "    vDiffuse = clamp(vec4(materialEmissive.rgb + ambient * materialAmbient.rgb\n"
        "                          + diffuse * materialDiffuse.rgb, materialDiffuse.a), 0.0, 1.0);\n"
        "    vSpecular = clamp(vec4(specular * materialSpecular.rgb, materialSpecular.a), 0.0, 1.0);\n";
}

std::string Argument(uint8_t argument, int stage) {
    std::string value;
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE: value = "diffuse"; break;
        case D3DTA_CURRENT: value = "current"; break;
        case D3DTA_TEXTURE: value = Format("texel{}", stage); break;
        case D3DTA_TFACTOR: value = "uTextureFactor"; break;
        case D3DTA_SPECULAR: value = "specular"; break;
        default: value = "vec4(0.0)"; break;  // TEMP and the per-stage constant start at zero
    }
    if (argument & D3DTA_ALPHAREPLICATE) value = Format("{}.aaaa", value);
    if (argument & D3DTA_COMPLEMENT) value = Format("(vec4(1.0) - {})", value);
    return value;
}

// One operation on two arguments, for the colour (".rgb") or alpha (".a").
std::string Operation(uint8_t op, const std::string& a1, const std::string& a2, int stage, const char* part) {
    const std::string x = a1 + part, y = a2 + part;
    switch (op) {
        case D3DTOP_SELECTARG1: return x;
        case D3DTOP_SELECTARG2: return y;
        case D3DTOP_MODULATE: return Format("{} * {}", x, y);
        case D3DTOP_MODULATE2X: return Format("2.0 * {} * {}", x, y);
        case D3DTOP_MODULATE4X: return Format("4.0 * {} * {}", x, y);
        case D3DTOP_ADD: return Format("{} + {}", x, y);
        case D3DTOP_ADDSIGNED: return Format("{} + {} - 0.5", x, y);
        case D3DTOP_SUBTRACT: return Format("{} - {}", x, y);
        case D3DTOP_BLENDDIFFUSEALPHA: return Format("mix({1}, {0}, diffuse.a)", x, y);
        case D3DTOP_BLENDTEXTUREALPHA: return Format("mix({1}, {0}, texel{2}.a)", x, y, stage);
        case D3DTOP_BLENDFACTORALPHA: return Format("mix({1}, {0}, uTextureFactor.a)", x, y);
        case D3DTOP_BLENDCURRENTALPHA: return Format("mix({1}, {0}, current.a)", x, y);
        default: return Format("current{}", part);
    }
}

// Operations whose result stays in [0, 1] when their arguments do.
bool KeepsRange(uint8_t op) {
    switch (op) {
        case D3DTOP_SELECTARG1: case D3DTOP_SELECTARG2: case D3DTOP_MODULATE: case D3DTOP_BLENDDIFFUSEALPHA:
        case D3DTOP_BLENDTEXTUREALPHA: case D3DTOP_BLENDFACTORALPHA: case D3DTOP_BLENDCURRENTALPHA:
            return true;
        default:
            return false;
    }
}

// Every argument but a signed texture's texel lies in [0, 1], and so does
// CURRENT after each stage: only a stage that may leave the range clamps.
bool StageClamps(const StageKey& stage) {
    return stage.signedTexels || !KeepsRange(stage.colorOp) ||
           (stage.alphaOp != D3DTOP_DISABLE && !KeepsRange(stage.alphaOp));
}

const char* Comparison(uint8_t func) {
    switch (func) {
        case D3DCMP_NEVER: return "false";
        case D3DCMP_LESS: return "alpha < uAlphaReference";
        case D3DCMP_EQUAL: return "alpha == uAlphaReference";
        case D3DCMP_LESSEQUAL: return "alpha <= uAlphaReference";
        case D3DCMP_GREATER: return "alpha > uAlphaReference";
        case D3DCMP_NOTEQUAL: return "alpha != uAlphaReference";
        case D3DCMP_GREATEREQUAL: return "alpha >= uAlphaReference";
        default: return "true";
    }
}

}  // namespace

std::string PositionTransform(bool pretransformed) {
    // Target pixels, scaled back by w = 1/rhw for perspective-correct interpolation.
    if (pretransformed) {
        return "    float w = aPosition.w != 0.0 ? 1.0 / aPosition.w : 1.0;\n"
               "    gl_Position = vec4(aPosition.xy * uScreenToClip.xy + uScreenToClip.zw, aPosition.z, 1.0) * w;\n";
    }
    return "    gl_Position = uWorldViewProjection * vec4(aPosition.xyz, 1.0);\n";
}

std::string PostTransform() { return kPixelCentreStep; }

std::string VertexProgram(const PipelineKey& key) {
    const char* interpolation = key.flatShading ? "flat " : "";
    std::string code = "#version 330 core\n";
    code += Format("layout(location = {}) in vec4 aPosition;\n", kPositionAttribute);
    code += Format("layout(location = {}) in vec3 aNormal;\n", kNormalAttribute);
    code += Format("layout(location = {}) in vec4 aDiffuse;\n", kDiffuseAttribute);
    code += Format("layout(location = {}) in vec4 aSpecular;\n", kSpecularAttribute);
    for (int s = 0; s < key.stageCount; ++s) {
        const StageKey& stage = key.stages[s];
        if (!stage.samples || stage.coordinateSource == kCameraSpacePosition || !stage.coordinateComponents) {
            continue;
        }
        const std::string declaration = Format("layout(location = {}) in vec4 aCoordinates{};\n",
                                                    kFirstCoordinateAttribute + stage.coordinateSource,
                                                    stage.coordinateSource);
        if (code.find(declaration) == std::string::npos) code += declaration;
    }
    code +=
        "uniform mat4 uWorldViewProjection;\nuniform mat4 uWorldView;\nuniform mat3 uNormalMatrix;\n"
        "uniform vec4 uScreenToClip;\nuniform mat4 uTextureMatrix[8];\n"
        "uniform vec3 uLightDirection[8];\nuniform vec4 uLightDiffuse[8];\nuniform vec4 uLightSpecular[8];\n"
        "uniform vec4 uLightAmbient[8];\nuniform vec4 uMaterial[4];\nuniform float uPower;\nuniform vec4 uAmbient;\n";
    code += kPostTransformUniforms;
    code += Format("{0}out vec4 vDiffuse;\n{0}out vec4 vSpecular;\n", interpolation);
    for (int s = 0; s < key.stageCount; ++s) {
        if (key.stages[s].samples) code += Format("out vec4 vCoordinates{};\n", s);
    }
    code += "void main() {\n";
    code += PositionTransform(key.pretransformed != 0);
    code += key.pretransformed ? "    vec3 cameraPosition = aPosition.xyz;\n"
                               : "    vec3 cameraPosition = (uWorldView * vec4(aPosition.xyz, 1.0)).xyz;\n";
    code += PostTransform();
    if (key.lighting) {
        VertexLighting(key, code);
    } else {
        code += key.vertexDiffuse ? "    vDiffuse = aDiffuse;\n" : "    vDiffuse = vec4(1.0);\n";
        code += key.vertexSpecular ? "    vSpecular = aSpecular;\n" : "    vSpecular = vec4(0.0);\n";
    }
    for (int s = 0; s < key.stageCount; ++s) {
        const StageKey& stage = key.stages[s];
        if (!stage.samples) continue;
        const std::string coordinates = CoordinateVector(stage);
        if (stage.transformCount) {
            code += Format("    vCoordinates{} = uTextureMatrix[{}] * {};\n", s, s, coordinates);
        } else {
            code += Format("    vCoordinates{} = {};\n", s, coordinates);
        }
    }
    code += "}\n";
    return code;
}

std::string FragmentProgram(const PipelineKey& key) {
    const char* interpolation = key.flatShading ? "flat " : "";
    std::string code = FragmentProgramHead();
    code += Format("{0}in vec4 vDiffuse;\n{0}in vec4 vSpecular;\n", interpolation);
    for (int s = 0; s < key.stageCount; ++s) {
        if (!key.stages[s].samples) continue;
        code += Format("in vec4 vCoordinates{0};\nuniform sampler2D uTexture{0};\n", s);
    }
    code +=
        "uniform vec4 uTextureFactor;\nuniform mat2 uBumpMatrix[8];\nuniform vec2 uBumpLuminance[8];\n"
        "uniform float uAlphaReference;\nout vec4 fragColour;\n"
        "void main() {\n"
        "    vec4 diffuse = vDiffuse;\n    vec4 specular = vSpecular;\n    vec4 current = diffuse;\n";
    for (int s = 0; s < key.stageCount; ++s) {
        const StageKey& stage = key.stages[s];
        if (stage.samples) {
            code += Format("    vec2 coordinates{} = {};\n", s, AtPixelCentre(Format("vCoordinates{}", s)));
            code += SnapToSubTexels(Format("coordinates{}", s), Format("uTexture{}", s));
            if (stage.bumpedBy) {
                code += Format("    coordinates{0} += uBumpMatrix[{1}] * texel{1}.rg;\n", s, s - 1);
            }
            code += Format("    vec4 texel{0} = texture(uTexture{0}, coordinates{0});\n", s);
            if (stage.bumpedBy == D3DTOP_BUMPENVMAPLUMINANCE) {
                code += Format(
                    "    texel{0}.rgb *= clamp(texel{1}.b * uBumpLuminance[{1}].x + uBumpLuminance[{1}].y, 0.0, 1.0);\n",
                    s, s - 1);
            }
        }
        // A bump stage only perturbs the next stage: CURRENT passes on.
        if (stage.colorOp == D3DTOP_BUMPENVMAP || stage.colorOp == D3DTOP_BUMPENVMAPLUMINANCE) continue;
        const std::string colour =
            Operation(stage.colorOp, Argument(stage.colorArg1, s), Argument(stage.colorArg2, s), s, ".rgb");
        const std::string alpha = stage.alphaOp == D3DTOP_DISABLE
                                      ? std::string("current.a")
                                      : Operation(stage.alphaOp, Argument(stage.alphaArg1, s),
                                                  Argument(stage.alphaArg2, s), s, ".a");
        const char* result =
            StageClamps(stage) ? "    current = clamp(vec4({}, {}), 0.0, 1.0);\n" : "    current = vec4({}, {});\n";
        code += Format(result, colour, alpha);
    }
    if (key.specularEnable) code += "    current.rgb = min(current.rgb + specular.rgb, vec3(1.0));\n";
    if (key.alphaFunc) {
        code += Format("    float alpha = floor(current.a * 255.0 + 0.5);\n    if (!({})) discard;\n",
                            Comparison(key.alphaFunc));
    }
    code += "    fragColour = current;\n}\n";
    return code;
}

}  // namespace platform::d3d9::pipeline
