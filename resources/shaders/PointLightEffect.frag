// One point light on one lit G-buffer texel, shared by the light-volume program (one light per
// draw) and the lit screen quad (the lights of a screen tile in one pass), so that both paths
// give the same image. Attenuation 1 / (constant + linear d + exponential d^2), faded out
// between 0.6 and 1.0 of the light's reach; d >= reach adds nothing.
#version 410 core

vec3 PointLightShade(vec3 p, vec3 n, vec3 diffuse, vec3 eye, vec4 phong, vec3 lightPos, vec3 lightColor,
                     vec3 intensity, float reach) {
    vec3 toLight = lightPos - p;
    float d = length(toLight);
    if (d >= reach) return vec3(0.0);
    toLight /= max(d, 1e-5);
    float attenuation = 1.0 / max(intensity.x + intensity.y * d + intensity.z * d * d, 1e-3);
    float edge = 1.0 - smoothstep(0.6 * reach, reach, d);
    float lambert = max(dot(n, toLight), 0.0);
    float highlight = lambert > 0.0 ? pow(max(dot(n, normalize(toLight + eye)), 0.0), max(phong.y, 1.0)) * phong.x : 0.0;
    return (diffuse * lambert + vec3(highlight)) * lightColor * attenuation * edge;
}
