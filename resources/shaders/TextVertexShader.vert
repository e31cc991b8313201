// Bitmap text: positions in window pixels (y up), mapped to clip space.
#version 410 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;
uniform vec2 ScreenSize; // pixels
uniform vec2 Offset;     // pixels added to every position
out vec2 uv;

void main() {
    uv = texCoord;
    gl_Position = vec4((position + Offset) / ScreenSize * 2.0 - 1.0, 0.0, 1.0);
}
