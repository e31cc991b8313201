// The blue-shaded variant of the default program (key PHONG_SHADER).
// Same G-buffer outputs as NormalShader.frag.
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

uniform sampler2D texture0;
uniform int useTexture;
uniform vec3 diffuseColor;
uniform float MultiplierTexture;
uniform int PickId;

void main() {
    vec2 tc = uv * (MultiplierTexture > 0.0 ? MultiplierTexture : 1.0);
    vec3 color = diffuseColor;
    if (useTexture != 0) color *= texture(texture0, tc).rgb;
    vec3 n = dot(worldNormal, worldNormal) > 1e-4 ? normalize(worldNormal) : vec3(0.0);
    outDiffuse = vec4(color * vec3(0.45, 0.65, 1.25), 1.0);
    outPosition = vec4(worldPosition, 1.0);
    outNormal = vec4(n, 0.0);
    outUv = vec4(uv, 0.0, 1.0);
    outEye = vec4(normalize(eyeVector), 0.0);
    outPhong = vec4(0.5, 32.0, dot(n, n) > 0.5 ? 1.0 : 0.0, 1.0);
    outId = float(PickId);
}
