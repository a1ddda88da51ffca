// CRT look for the finished frame: slight tube curvature, scanlines that follow the
// game's pixel rows, a soft glow from bright neighbours and a gentle vignette. Flat
// areas in the middle of the screen keep their exact colour on the bright rows.
#version 120

uniform sampler2D texture;
uniform float width;  // window size in pixels
uniform float height;
uniform float scale;  // window pixels per game pixel

const vec2 curvature = vec2(0.020, 0.028);
const float scanlineDepth = 0.28;
const float glowStrength = 0.22;
const float vignetteFloor = 0.80;

vec2 warp(vec2 uv) {
    vec2 c = uv * 2.0 - 1.0;
    c *= 1.0 + curvature * (c.yx * c.yx);
    return c * 0.5 + 0.5;
}

// Darkens the lowest window rows of every game pixel row; at scale 1 there is no room
// for a line, so nothing is darkened.
float scanline() {
    float rowFromTop = height - gl_FragCoord.y;
    float sub = floor(mod(rowFromTop, max(scale, 1.0)));
    float t = (sub + 0.5) / max(scale, 1.0);
    return 1.0 - scanlineDepth * smoothstep(0.5, 1.0, t);
}

vec3 glow(vec2 uv, vec3 base) {
    vec2 step = vec2(scale / width, scale / height);
    vec3 around = texture2D(texture, uv + vec2(step.x, 0.0)).rgb
                + texture2D(texture, uv - vec2(step.x, 0.0)).rgb
                + texture2D(texture, uv + vec2(0.0, step.y)).rgb
                + texture2D(texture, uv - vec2(0.0, step.y)).rgb;
    return glowStrength * max(around * 0.25 - base, 0.0);
}

float vignette(vec2 uv) {
    float v = 16.0 * uv.x * uv.y * (1.0 - uv.x) * (1.0 - uv.y);
    return mix(vignetteFloor, 1.0, pow(clamp(v, 0.0, 1.0), 0.25));
}

void main() {
    vec2 uv = warp(gl_TexCoord[0].xy);
    if (uv.x < 0.0 || uv.x > 1.0 || uv.y < 0.0 || uv.y > 1.0) {
        gl_FragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 base = texture2D(texture, uv).rgb;
    vec3 colour = (base + glow(uv, base)) * scanline() * vignette(uv);
    gl_FragColor = vec4(colour, 1.0);
}
