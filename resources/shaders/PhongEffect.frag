// The key light of the lit image: a soft ambient term plus one directional light from above
// and in front, with Blinn-Phong highlights. Point lights add to it in PointLight.frag.
#version 410 core

vec3 PhongShade(vec3 diffuse, vec3 position, vec3 normal, vec3 eyeVector, vec4 phong, vec3 specular) {
    const vec3 toLight = normalize(vec3(0.35, 0.8, 0.5));
    const float ambient = 0.3;
    float lambert = max(dot(normal, toLight), 0.0);
    vec3 halfway = normalize(toLight + normalize(eyeVector + vec3(1e-6)));
    float highlight = lambert > 0.0 ? pow(max(dot(normal, halfway), 0.0), max(phong.y, 1.0)) * phong.x : 0.0;
    return diffuse * (ambient + 0.7 * lambert) + specular * highlight * 0.5;
}
