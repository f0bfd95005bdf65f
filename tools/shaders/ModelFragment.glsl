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

// Air thickens with distance towards the clear colour, which is also the sky:
// far corridors fade into it instead of into black, and depth reads at a
// glance. Nothing is fogged within FogStart units of the eye, and even the
// farthest wall keeps a trace of its own colour, so that it never passes for
// the empty sky beside it.
const vec3 ClearColour = vec3(0.0, 0.0, 0.4);
const float FogStart = 3.0;
const float FogScale = 11.0;  // units past FogStart at which half the fog is reached
const float FogDensest = 0.85;

vec3 throughAir(vec3 colour, float distance) {
    float past = max(distance - FogStart, 0.0) / FogScale;
    float fog = FogDensest * past * past / (1.0 + past * past);
    return mix(toneMapped(colour), ClearColour, fog);
}
