// Particles are drawn with additive blending into the G-buffer: light goes to the diffuse
// attachment, every other attachment receives zero and so keeps its contents.
#version 430 core
in vec4 particleColor;
in vec2 particleUv;
uniform sampler2D texture0;
layout(location = 0) out vec4 outDiffuse;
layout(location = 1) out vec4 outPosition;
layout(location = 2) out vec4 outNormal;
layout(location = 3) out vec4 outUv;
layout(location = 4) out vec4 outEye;
layout(location = 5) out vec4 outPhong;
layout(location = 6) out float outId;

void main() {
    vec4 c = particleColor * texture(texture0, particleUv);
    outDiffuse = vec4(c.rgb * c.a, 0.0);
    outPosition = vec4(0.0);
    outNormal = vec4(0.0);
    outUv = vec4(0.0);
    outEye = vec4(0.0);
    outPhong = vec4(0.0);
    outId = 0.0;
}
