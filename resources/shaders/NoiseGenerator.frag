// Noise helpers linked into the sprite program beside GBuffer.frag. GBuffer.frag keeps its own
// small value noise so that the animated-sprite program (skinning.vert + GBuffer.frag), which
// does not link this file, stays complete; effects added later can call these.
#version 410 core

vec3 GradientHash(vec3 p) {
    p = vec3(dot(p, vec3(127.1, 311.7, 74.7)), dot(p, vec3(269.5, 183.3, 246.1)), dot(p, vec3(113.5, 271.9, 124.6)));
    return -1.0 + 2.0 * fract(sin(p) * 43758.5453123);
}

float GradientNoise(vec3 p) {
    vec3 i = floor(p);
    vec3 f = fract(p);
    vec3 u = f * f * (3.0 - 2.0 * f);
    return mix(mix(mix(dot(GradientHash(i), f), dot(GradientHash(i + vec3(1, 0, 0)), f - vec3(1, 0, 0)), u.x),
                   mix(dot(GradientHash(i + vec3(0, 1, 0)), f - vec3(0, 1, 0)), dot(GradientHash(i + vec3(1, 1, 0)), f - vec3(1, 1, 0)), u.x), u.y),
               mix(mix(dot(GradientHash(i + vec3(0, 0, 1)), f - vec3(0, 0, 1)), dot(GradientHash(i + vec3(1, 0, 1)), f - vec3(1, 0, 1)), u.x),
                   mix(dot(GradientHash(i + vec3(0, 1, 1)), f - vec3(0, 1, 1)), dot(GradientHash(i + vec3(1, 1, 1)), f - vec3(1, 1, 1)), u.x), u.y),
               u.z);
}
