// The lit image (render mode 0, no fade running) with the point lights in the same pass: the
// G-buffer is read once per pixel, and each pixel runs only the lights whose reach touches its
// screen tile (LightTiles). Adds up to what ScreenQuad.frag followed by one PointLight.frag
// volume per light draws.
#version 410 core
in vec2 uv;
out vec4 fragColor;

const int kMaxLights = 32;

uniform sampler2D GdiffusedMap;
uniform sampler2D GpositionMap;
uniform sampler2D GnormalMap;
uniform sampler2D EyeVecMap;
uniform sampler2D PhongMap;
uniform vec3 specularColor;
uniform float fadeTime;

// One texel per tile of 2^LightTileShift pixels square: bit i set when light i touches the tile.
uniform usampler2D LightTiles;
uniform int LightTileShift; // a shift, as a vector division by a uniform is slow on the CPU rasterizer
uniform vec3 PointLightPositions[kMaxLights];
uniform vec3 PointLightColors[kMaxLights];
uniform vec3 PointLightIntensities[kMaxLights]; // constant, linear, exponential
uniform float PointLightReaches[kMaxLights];

vec3 PhongShade(vec3 diffuse, vec3 position, vec3 normal, vec3 eyeVector, vec4 phong, vec3 specular);
vec3 PointLightShade(vec3 p, vec3 n, vec3 diffuse, vec3 eye, vec4 phong, vec3 lightPos, vec3 lightColor,
                     vec3 intensity, float reach);

void main() {
    vec4 diffuse = texture(GdiffusedMap, uv);
    vec4 position = texture(GpositionMap, uv);
    vec4 phong = texture(PhongMap, uv);
    vec3 p = position.xyz / position.w;
    vec3 n = normalize(texture(GnormalMap, uv).xyz);
    vec3 eyeVector = texture(EyeVecMap, uv).xyz;
    vec3 color;
    if (!(position.w > 0.5) || phong.z < 0.5) color = diffuse.rgb; // background glow, lines, particles: unlit
    else color = PhongShade(diffuse.rgb, p, n, eyeVector, phong, specularColor);
    color *= clamp(1.0 - fadeTime, 0.0, 1.0);
    // The light volumes' test, which differs from the one above at w == 0.5 exactly.
    if (position.w >= 0.5 && phong.z >= 0.5) {
        vec3 eye = normalize(eyeVector + vec3(1e-6));
        uint lights = texelFetch(LightTiles, ivec2(gl_FragCoord.xy) >> LightTileShift, 0).r;
        while (lights != 0u) {
            int i = findLSB(lights);
            lights &= lights - 1u;
            color += PointLightShade(p, n, diffuse.rgb, eye, phong, PointLightPositions[i], PointLightColors[i],
                                     PointLightIntensities[i], PointLightReaches[i]);
        }
    }
    fragColor = vec4(color, 1.0);
}
