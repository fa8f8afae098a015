#include "platform/device/gl/gl_pixel_shader_families.h"

#include "platform/device/gl/gl_shader_sources.h"

namespace platform::gl {

namespace {

constexpr int kOrdinaryCount = 120;
constexpr int kEffectBase = 120;
constexpr int kEffectsPerGroup = 19;
constexpr int kSpecialBase = 272;

// S: the drawn texel times the vertex colour, formed as the texture index and
// the mask ask. Index 1 doubles the colour; 2 and 3 (A8 textures) take the
// colour from the vertex and only the alpha from the texel; the mask scales
// the alpha by the green of the mask layer.
std::string sourceLines(int textureIndex, bool mask, bool solidCarrier = false) {
    // White times the vertex colour is the vertex colour, bit for bit.
    std::string lines = solidCarrier ? "    vec4 t = vTex0.x < -1.0e29 ? vec4(1.0) : texture(s0, vTex0);\n"
                                     : "    vec4 t = texture(s0, vTex0);\n";
    lines += textureIndex >= 2 ? "    vec4 s = vec4(vColour.rgb, t.a * vColour.a);\n"
                               : "    vec4 s = t * vColour;\n";
    if (textureIndex % 2 == 1) lines += "    s.rgb *= 2.0;\n";
    if (mask) lines += "    s.a *= texture(s1, vTex1).g;\n";
    return lines;
}

// Index = blend class + 3 x colour mode + 15 x mask + 30 x texture index.
std::string ordinaryBody(int index) {
    const int blendClass = index % 3;
    const int colourMode = index / 3 % 5;
    const bool mask = index / 15 % 2 == 1;
    const int textureIndex = index / 30;
    std::string body = "vec4 shade() {\n" + sourceLines(textureIndex, mask, index == kSolidCarrierPixelStage);
    switch (colourMode) {
    case 1: body += "    s.rgb += pc[0].a * (pc[0].rgb - s.rgb);\n"; break;
    case 2: body += "    s.rgb += pc[0].rgb * pc[0].a;\n"; break;
    case 3: body += "    s.rgb -= pc[0].rgb * pc[0].a;\n"; break;
    case 4: body += "    s.rgb += pc[0].a * (1.0 - 2.0 * s.rgb);\n"; break;
    default: break;
    }
    if (blendClass == 1) body += "    s.rgb = 1.0 - s.rgb;\n";
    if (blendClass == 2) body += "    s.rgb *= s.a;\n";
    return body + "    return s;\n}\n";
}

// Symmetric taps of the picture beneath along the direction pc[2].xy, in
// texel steps: {offset, weight}, the centre first when it has a weight.
struct BlurTap {
    float offset;
    float weight;
};

std::string blurLines(int kernel) {
    static const BlurTap kernels[5][4] = {
        {{0.5f, 0.5f}},
        {{0.0f, 0.375f}, {1.2f, 0.3125f}},
        {{0.0f, 0.322581f}, {1.28571f, 0.33871f}},
        {{0.0f, 0.227027f}, {1.38462f, 0.316216f}, {3.23077f, 0.0702703f}},
        {{0.0f, 0.185714f}, {1.42105f, 0.288701f}, {3.31579f, 0.103636f}, {5.21053f, 0.0148052f}},
    };
    std::string lines = "    vec3 f = vec3(0.0);\n";
    for (const BlurTap& tap : kernels[kernel]) {
        if (tap.weight == 0.0f) break;
        const std::string w = std::to_string(tap.weight), o = std::to_string(tap.offset);
        if (tap.offset == 0.0f) {
            lines += "    f += " + w + " * d;\n";
            continue;
        }
        lines += "    f += " + w + " * texture(s2, vTex2 + " + o + " * pc[2].xy).rgb;\n";
        lines += "    f += " + w + " * texture(s2, vTex2 - " + o + " * pc[2].xy).rgb;\n";
    }
    return lines;
}

// F(S, D) per channel of effect e 1..18, with s = S.rgb and d = D. The
// two-sided ones select with a boolean mix, so the side not taken (an
// infinite power, say) never reaches the result.
std::string effectLines(int e) {
    switch (e) {
    case 1: return "    vec3 f = min(s.rgb + d, 1.0);\n";
    case 2: return "    vec3 f = max(s.rgb + d - 1.0, 0.0);\n";
    case 3:
        return "    vec3 f = mix(2.0 * s.rgb * d, 1.0 - 2.0 * (1.0 - s.rgb) * (1.0 - d),\n"
               "                 greaterThanEqual(d, vec3(0.5)));\n";
    case 4:
        return "    vec3 f = mix(2.0 * s.rgb * d, 1.0 - 2.0 * (1.0 - s.rgb) * (1.0 - d),\n"
               "                 greaterThanEqual(s.rgb, vec3(0.5)));\n";
    case 5:
        return "    vec3 f = mix(pow(d, 2.0 * (1.0 - s.rgb)), pow(d, 0.5 / max(s.rgb, 1e-5)),\n"
               "                 greaterThan(s.rgb, vec3(0.5)));\n";
    case 6: return "    vec3 f = min(d / max(1.0 - s.rgb, 1e-5), 1.0);\n";
    case 7: return "    vec3 f = max(1.0 - (1.0 - d) / max(s.rgb, 1e-5), 0.0);\n";
    case 8: return "    vec3 f = max(s.rgb, d);\n";
    case 9: return "    vec3 f = min(s.rgb, d);\n";
    case 10: return "    vec3 f = abs(d - s.rgb);\n";
    case 11: return "    vec3 f = s.rgb + d - 2.0 * s.rgb * d;\n";
    case 12: return "    vec3 f = dot(d, vec3(0.298912, 0.586611, 0.114478)) * s.rgb;\n";
    case 13:
        // The picture at the centre of the mosaic cell: pc[2] = (cells per
        // unit in u and v, half a cell plus half a texel).
        return "    vec3 f = texture(s2, floor(vTex2 * pc[2].xy) / pc[2].xy + pc[2].zw).rgb;\n";
    default: return blurLines(e - 14);
    }
}

// Index = 120 + e + 19 x (mask + 2 x texture index). The colour is the
// picture beneath moved toward F by S's alpha; e 0 is S alone.
std::string effectBody(int index) {
    const int e = (index - kEffectBase) % kEffectsPerGroup;
    const int group = (index - kEffectBase) / kEffectsPerGroup;
    std::string body = "vec4 shade() {\n" + sourceLines(group / 2, group % 2 == 1);
    if (e == 0) return body + "    return s;\n}\n";
    body += "    vec3 d = texture(s2, vTex2).rgb;\n" + effectLines(e);
    return body + "    return vec4(d + s.a * (f - d), s.a);\n}\n";
}

// The alpha of the layer, optionally remapped by cParam (c1).
std::string maskAlphaLine(bool remap) {
    std::string line = "    float a = texture(s0, vTex0).a * vColour.a;\n";
    if (remap) line += "    a = clamp(a * pc[1].x + pc[1].y, 0.0, 1.0);\n";
    return line;
}

std::string specialBody(int index) {
    switch (index - kSpecialBase) {
    case 0:  // mask composite, first layer: its alpha into green
    case 2:
        return "vec4 shade() {\n    vec4 s = texture(s0, vTex0) * vColour;\n" + maskAlphaLine(index == 274) +
               "    return vec4(s.r, a, s.b, a);\n}\n";
    case 1:  // later layers: only where the layers before cover
    case 3:
        return "vec4 shade() {\n    vec4 s = texture(s0, vTex0) * vColour;\n" + maskAlphaLine(index == 275) +
               "    a *= texture(s1, vTex1).g;\n    return vec4(s.r, a, s.b, a);\n}\n";
    case 4:  // pattern dissolve: phase c0, invVague c1
        return "vec4 shade() {\n    vec4 t = texture(s0, vTex0);\n"
               "    float k = clamp((texture(s1, vTex1).r - pc[0].x) * pc[1].x + 1.0, 0.0, 1.0);\n"
               "    return vec4(t.rgb, t.a * k);\n}\n";
    case 5:  // video range YUV
        return "vec4 shade() {\n"
               "    float y = 1.164 * (texture(s0, vTex0).r - 0.0625);\n"
               "    float u = texture(s1, vTex0).r - 0.5;\n"
               "    float v = texture(s2, vTex0).r - 0.5;\n"
               "    vec3 rgb = vec3(y + 1.596 * v, y - 0.391 * u - 0.813 * v, y + 2.018 * u);\n"
               "    return vec4(rgb * vColour.rgb, vColour.a);\n}\n";
    case 6:  // hatch fixed to the screen: texOffsetHatch c0, texSize c1
        return "vec4 shade() {\n"
               "    vec2 pixel = gl_FragCoord.xy - 0.5;\n"
               "    return vColour * texture(s0, (pixel + pc[0].xy) / pc[1].xy);\n}\n";
    default: return "vec4 shade() {\n    return vColour;\n}\n";
    }
}

}  // namespace

std::string pixelShaderBody(int index) {
    if (index < 0 || index >= kSpecialBase + 8) return {};
    if (index < kOrdinaryCount) return ordinaryBody(index);
    if (index < kSpecialBase) return effectBody(index);
    return specialBody(index);
}

}  // namespace platform::gl
