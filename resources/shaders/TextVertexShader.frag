// Bitmap text: white glyphs on transparent black, drawn with alpha blending.
#version 410 core
in vec2 uv;
out vec4 fragColor;
uniform sampler2D texture0;

void main() {
    vec4 glyph = texture(texture0, uv);
    fragColor = vec4(vec3(0.92, 0.95, 0.85) * glyph.rgb, glyph.a);
}
