// The bone marker into the G-buffer: flat colour, lit.
#version 410 core
in vec3 worldPosition;
in vec3 worldNormal;
layout(location = 0) out vec4 outDiffuse;
layout(location = 1) out vec4 outPosition;
layout(location = 2) out vec4 outNormal;
layout(location = 3) out vec4 outUv;
layout(location = 4) out vec4 outEye;
layout(location = 5) out vec4 outPhong;
layout(location = 6) out float outId;
uniform vec3 diffuseColor;
uniform int PickId;

void main() {
    outDiffuse = vec4(diffuseColor, 1.0);
    outPosition = vec4(worldPosition, 1.0);
    outNormal = vec4(normalize(worldNormal), 0.0);
    outUv = vec4(0.0);
    outEye = vec4(0.0);
    outPhong = vec4(0.3, 16.0, 1.0, 1.0);
    outId = float(PickId);
}
