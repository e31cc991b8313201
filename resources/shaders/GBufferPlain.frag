// The sprite program (GBuffer.frag) for sprites without textures: what GBufferTextures.frag
// gives when no texture is in use, without reading any.
#version 410 core

vec3 SurfaceColor(vec3 color, vec2 tc) {
    return color;
}

vec3 SurfaceNormal(vec3 n, vec3 tangent, vec2 tc) {
    return n;
}

float SurfaceSpecular(vec2 tc) {
    return 0.5;
}
