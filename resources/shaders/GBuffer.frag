// The sprite program's fragment stage: writes the seven G-buffer attachments.
// 0 diffuse, 1 world position (w = 1), 2 normal, 3 texture coordinates, 4 eye vector,
// 5 shading parameters (specular strength, shininess, lit flag), 6 pick id.
#version 410 core
in vec3 worldPosition;
in vec2 uv;
in vec3 worldNormal;
in vec3 worldTangent;
in vec3 worldBitangent;
in vec3 eyeVector;

layout(location = 0) out vec4 outDiffuse;
layout(location = 1) out vec4 outPosition;
layout(location = 2) out vec4 outNormal;
layout(location = 3) out vec4 outUv;
layout(location = 4) out vec4 outEye;
layout(location = 5) out vec4 outPhong;
layout(location = 6) out float outId;

uniform vec3 diffuseColor;
uniform float MultiplierTexture; // texture repeats across the surface (0 or less: once)
uniform int DebugDraw;           // 1: the debug box, flat colour and unlit
uniform int PickId;
uniform float time;              // seconds

// The texture reads, from GBufferTextures.frag, or from GBufferPlain.frag for sprites without
// textures (the CPU rasterizer runs both sides of a branch, texture reads included).
vec3 SurfaceColor(vec3 color, vec2 tc);
vec3 SurfaceNormal(vec3 n, vec3 tangent, vec2 tc);
float SurfaceSpecular(vec2 tc);

subroutine vec3 EffectFunction(vec3 color, vec3 position);
subroutine uniform EffectFunction EffectType;

float Hash(vec3 p) {
    p = fract(p * 0.3183099 + 0.1);
    p *= 17.0;
    return fract(p.x * p.y * p.z * (p.x + p.y + p.z));
}

float ValueNoise(vec3 p) {
    vec3 i = floor(p);
    vec3 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    return mix(mix(mix(Hash(i), Hash(i + vec3(1, 0, 0)), f.x), mix(Hash(i + vec3(0, 1, 0)), Hash(i + vec3(1, 1, 0)), f.x), f.y),
               mix(mix(Hash(i + vec3(0, 0, 1)), Hash(i + vec3(1, 0, 1)), f.x), mix(Hash(i + vec3(0, 1, 1)), Hash(i + vec3(1, 1, 1)), f.x), f.y),
               f.z);
}

subroutine(EffectFunction) vec3 NoEffect(vec3 color, vec3 position) {
    return color;
}

subroutine(EffectFunction) vec3 BlueShade(vec3 color, vec3 position) {
    return color * vec3(0.45, 0.65, 1.25);
}

subroutine(EffectFunction) vec3 NoiseFx(vec3 color, vec3 position) {
    float n = ValueNoise(position * 4.0 + vec3(0.0, time, 0.0));
    return color * (0.6 + 0.6 * n);
}

subroutine(EffectFunction) vec3 NoiseChristal(vec3 color, vec3 position) {
    float n = ValueNoise(position * 9.0 + vec3(time * 0.5));
    float sparkle = pow(n, 6.0) * 3.0;
    return mix(color, vec3(0.7, 0.9, 1.0), 0.35) + vec3(sparkle);
}

void main() {
    float repeats = MultiplierTexture > 0.0 ? MultiplierTexture : 1.0;
    vec2 tc = uv * repeats;
    vec3 color = SurfaceColor(diffuseColor, tc);
    vec3 n = worldNormal;
    bool hasNormal = dot(n, n) > 1e-4;
    if (hasNormal) n = SurfaceNormal(normalize(n), worldTangent, tc);
    bool lit = hasNormal && DebugDraw == 0;
    if (DebugDraw == 0) color = EffectType(color, worldPosition);
    float specular = SurfaceSpecular(tc);

    outDiffuse = vec4(color, 1.0);
    outPosition = vec4(worldPosition, 1.0);
    outNormal = vec4(n, 0.0);
    outUv = vec4(uv, 0.0, 1.0);
    outEye = vec4(normalize(eyeVector), 0.0);
    outPhong = vec4(specular, 32.0, lit ? 1.0 : 0.0, 1.0);
    outId = float(PickId);
}
