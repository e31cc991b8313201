// One point light over the G-buffer: each fragment of the light's sphere finds its G-buffer
// texel from its window position and adds the light's contribution (PointLightEffect.frag).
#version 410 core
out vec4 fragColor;

uniform sampler2D GdiffusedMap;
uniform sampler2D GpositionMap;
uniform sampler2D GnormalMap;
uniform sampler2D GuvMap;
uniform sampler2D EyeVecMap;
uniform sampler2D PhongMap;
uniform sampler2D IdMap;
uniform mat4 M;             // the sphere's model matrix: its scale gives the light's reach
uniform float ScreenWidth;  // pixels of the target
uniform float ScreenHeight;
uniform float time;
uniform vec3 LightPos;
uniform vec3 lightSpecularColor;
uniform float lightConstantIntensity;
uniform float lightLinearIntensity;
uniform float lightExponentialIntensity;

vec3 PointLightShade(vec3 p, vec3 n, vec3 diffuse, vec3 eye, vec4 phong, vec3 lightPos, vec3 lightColor,
                     vec3 intensity, float reach);

void main() {
    vec2 uv = gl_FragCoord.xy / vec2(ScreenWidth, ScreenHeight);
    vec4 position = texture(GpositionMap, uv);
    vec4 phong = texture(PhongMap, uv);
    if (position.w < 0.5 || phong.z < 0.5) discard; // background and unlit surfaces
    vec3 p = position.xyz / position.w;
    float reach = 0.5 * length(M[0].xyz); // the sphere model has radius 0.5
    if (distance(LightPos, p) >= reach) discard;
    vec3 n = normalize(texture(GnormalMap, uv).xyz);
    vec3 diffuse = texture(GdiffusedMap, uv).rgb;
    vec3 eye = normalize(texture(EyeVecMap, uv).xyz + vec3(1e-6));
    vec3 intensity = vec3(lightConstantIntensity, lightLinearIntensity, lightExponentialIntensity);
    fragColor = vec4(PointLightShade(p, n, diffuse, eye, phong, LightPos, lightSpecularColor, intensity, reach), 1.0);
}
