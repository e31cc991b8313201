// The overlay drawn into the G-buffer with alpha blending: its colour goes to the diffuse
// attachment and it marks what it covers as unlit (so the lighting pass shows it as it is);
// the other attachments receive alpha 0 and keep their contents.
#version 410 core
in vec2 fragUv;
in vec4 fragColor;
uniform sampler2D Texture;
layout(location = 0) out vec4 outDiffuse;
layout(location = 1) out vec4 outPosition;
layout(location = 2) out vec4 outNormal;
layout(location = 3) out vec4 outUv;
layout(location = 4) out vec4 outEye;
layout(location = 5) out vec4 outPhong;
layout(location = 6) out vec4 outId;

void main() {
    vec4 color = fragColor * texture(Texture, fragUv);
    outDiffuse = color;
    outPosition = vec4(0.0);
    outNormal = vec4(0.0);
    outUv = vec4(0.0);
    outEye = vec4(0.0);
    outPhong = vec4(0.0, 0.0, 0.0, color.a);
    outId = vec4(0.0);
}
