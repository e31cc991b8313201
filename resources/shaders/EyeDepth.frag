// The G-buffer's depth written into the bound depth image (a headset eye's), so that the runtime
// receives the scene's depth with the colour.
#version 410 core
in vec2 uv;
uniform sampler2D sceneDepth;

void main() {
    gl_FragDepth = texture(sceneDepth, uv).r;
}
