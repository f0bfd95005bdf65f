// Shared by the fragment shaders of everything standing in the maze.

// A lit colour whose brightest channel is below ToneKnee passes unchanged;
// above it, the colour is scaled down so that its brightest channel bends
// towards ToneCeiling, which it never reaches: a highlight stays below
// saturation, and keeps its hue instead of clipping to a flat white patch.
const float ToneKnee = 0.7;
const float ToneCeiling = 0.96;

vec3 toneMapped(vec3 colour) {
    float brightest = max(colour.r, max(colour.g, colour.b));
    float headroom = ToneCeiling - ToneKnee;
    float above = max(brightest - ToneKnee, 0.0);
    // Slope 1 at the knee, so the bend does not show as a band; a ratio
    // rather than an exponential, which the software renderer pays dearly for.
    float bent = ToneKnee + headroom * above / (above + headroom);
    return colour * min(bent / max(brightest, 0.0001), 1.0);
}

// The fog worked out for the vertices (see ModelVertex.glsl) drawn over the
// tone-mapped colour, towards the clear colour.
const vec3 ClearColour = vec3(0.0, 0.0, 0.4);

vec3 throughAir(vec3 colour, float fog) {
    return mix(toneMapped(colour), ClearColour, fog);
}
