// One point light over the G-buffer: each fragment of the light's sphere finds its G-buffer
// texel from its window position and adds the light's diffuse and specular contribution,
// attenuated by 1 / (constant + linear d + exponential d^2) and faded out at the sphere's edge.
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

void main() {
    vec2 uv = gl_FragCoord.xy / vec2(ScreenWidth, ScreenHeight);
    vec4 position = texture(GpositionMap, uv);
    vec4 phong = texture(PhongMap, uv);
    if (position.w < 0.5 || phong.z < 0.5) discard; // background and unlit surfaces
    vec3 p = position.xyz / position.w;
    vec3 n = normalize(texture(GnormalMap, uv).xyz);
    vec3 diffuse = texture(GdiffusedMap, uv).rgb;
    vec3 toLight = LightPos - p;
    float d = length(toLight);
    float reach = 0.5 * length(M[0].xyz); // the sphere model has radius 0.5
    if (d >= reach) discard;
    toLight /= max(d, 1e-5);
    float attenuation = 1.0 / max(lightConstantIntensity + lightLinearIntensity * d + lightExponentialIntensity * d * d, 1e-3);
    float edge = 1.0 - smoothstep(0.6 * reach, reach, d);
    float lambert = max(dot(n, toLight), 0.0);
    vec3 eye = normalize(texture(EyeVecMap, uv).xyz + vec3(1e-6));
    float highlight = lambert > 0.0 ? pow(max(dot(n, normalize(toLight + eye)), 0.0), max(phong.y, 1.0)) * phong.x : 0.0;
    vec3 light = (diffuse * lambert + vec3(highlight)) * lightSpecularColor * attenuation * edge;
    fragColor = vec4(light, 1.0);
}
