// The texture reads of the sprite program (GBuffer.frag): main texture, specular strength and
// normal map, each used only when the sprite has it.
#version 410 core

uniform sampler2D texture0;  // unit 0: the main texture
uniform sampler2D info;      // unit 1: red = specular strength
uniform sampler2D normalMap; // unit 2: tangent-space normals
uniform int useTexture;
uniform int useNormal;

vec3 SurfaceColor(vec3 color, vec2 tc) {
    if (useTexture != 0) color *= texture(texture0, tc).rgb;
    return color;
}

/// `n`: the unit surface normal.
vec3 SurfaceNormal(vec3 n, vec3 tangent, vec2 tc) {
    if (useNormal == 0) return n;
    vec3 t = normalize(tangent - n * dot(n, tangent));
    vec3 b = cross(n, t);
    vec3 m = texture(normalMap, tc).rgb * 2.0 - 1.0;
    return normalize(mat3(t, b, n) * m);
}

float SurfaceSpecular(vec2 tc) {
    return useTexture != 0 ? 0.2 + 0.6 * texture(info, tc).r : 0.5;
}
