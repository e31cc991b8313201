// The lighting pass over the whole screen. RenderMode: 0 the lit image, 1 diffuse colour,
// 2 world position, 3 normal, 4 texture coordinates, 5 shading parameters, 6 pick ids.
// fadeTime 0 shows the image, 1 and above black.
#version 410 core
in vec2 uv;
out vec4 fragColor;

uniform sampler2D GdiffusedMap;
uniform sampler2D GpositionMap;
uniform sampler2D GnormalMap;
uniform sampler2D GuvMap;
uniform sampler2D EyeVecMap;
uniform sampler2D PhongMap;
uniform sampler2D IdMap;
uniform vec3 specularColor;
uniform int RenderMode;
uniform int DebugDraw;
uniform float time;     // milliseconds
uniform float fadeTime;

// PhongEffect.frag: the key light of every lit surface.
vec3 PhongShade(vec3 diffuse, vec3 position, vec3 normal, vec3 eyeVector, vec4 phong, vec3 specular);

vec3 IdColor(float id) {
    if (id < 0.5) return vec3(0.0);
    // Neighbouring ids get clearly different colours.
    return fract(vec3(id * 0.618034, id * 0.414214, id * 0.732051)) * 0.8 + 0.2;
}

void main() {
    vec4 diffuse = texture(GdiffusedMap, uv);
    vec4 position = texture(GpositionMap, uv);
    vec4 normal = texture(GnormalMap, uv);
    vec4 phong = texture(PhongMap, uv);
    bool drawn = position.w > 0.5;
    vec3 color;
    if (RenderMode == 1) color = diffuse.rgb;
    else if (RenderMode == 2) color = drawn ? fract(position.xyz / position.w * 0.25) : vec3(0.0);
    else if (RenderMode == 3) color = drawn ? normal.xyz * 0.5 + 0.5 : vec3(0.0);
    else if (RenderMode == 4) color = drawn ? vec3(fract(texture(GuvMap, uv).xy), 0.0) : vec3(0.0);
    else if (RenderMode == 5) color = vec3(phong.x, phong.y / 128.0, phong.z);
    else if (RenderMode == 6) color = IdColor(texture(IdMap, uv).r);
    else if (!drawn || phong.z < 0.5) color = diffuse.rgb; // background glow, lines, particles: unlit
    else color = PhongShade(diffuse.rgb, position.xyz / position.w, normalize(normal.xyz), texture(EyeVecMap, uv).xyz, phong, specularColor);
    color *= clamp(1.0 - fadeTime, 0.0, 1.0);
    fragColor = vec4(color, 1.0);
}
