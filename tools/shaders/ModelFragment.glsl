// Shared by the fragment shaders of everything standing in the maze.

// A warm torch-like light. The falloff is gentler than the inverse square so
// a corridor stays lit a few cells ahead.
const vec3 LightColor = vec3(1.0, 0.9, 0.75);
const float LightStrength = 1.6;
const float LinearFalloff = 0.09;
const float QuadraticFalloff = 0.045;

// A lit colour whose brightest channel is below ToneKnee passes unchanged;
// above it, the colour is scaled down so that its brightest channel bends
// towards ToneCeiling, which it never reaches: a highlight stays below
// saturation, and keeps its hue instead of clipping to a flat white patch.
const float ToneKnee = 0.7;
const float ToneCeiling = 0.96;

// The tone curve applied to numerator / denominator, with a single division.
// The brightest channel is bent to ToneKnee + headroom * above / (above +
// headroom): slope 1 at the knee, so the bend does not show as a band, and a
// ratio rather than an exponential, which the software renderer pays dearly
// for. A division costs that renderer as much as the rest of the curve, so
// the light's falloff (the denominator) and the curve's two quotients are
// folded into one: every length below is the curve's own times denominator.
// At and below the knee, above is 0 and the colour is numerator / denominator
// unchanged.
vec3 toneMapped(vec3 numerator, float denominator) {
    float brightest = max(numerator.r, max(numerator.g, numerator.b));
    float knee = ToneKnee * denominator;
    float headroom = (ToneCeiling - ToneKnee) * denominator;
    float above = max(brightest - knee, 0.0);
    float scale = (above * ToneCeiling + ToneKnee * headroom) /
                  ((above + headroom) * (above + knee));
    return numerator * scale;
}

// The fog worked out for the vertices (see ModelVertex.glsl) drawn over the
// tone-mapped colour, towards the clear colour.
// <sky measures>

vec3 throughAir(vec3 numerator, float denominator, float fog) {
    return mix(toneMapped(numerator, denominator), ClearColour, fog);
}

vec3 throughAir(vec3 colour, float fog) {
    return throughAir(colour, 1.0, fog);
}
