// Shared by the vertex shaders of everything standing in the maze.

// <eye measures>

// The near plane that depth is written with. The uploaded projection clips at
// 0.1, but a pillar that touches the player's cell only at a corner never
// pushes the player back: the controls only refuse a step that would end
// within NearestRest of it, and a pillar clipped nearer than the near plane
// would open a hole onto the void. Anything in view NearestRest away lies at
// least half that in front of the eye, whichever way it looks, as long as the
// view's corner is under 60 degrees off its axis: windows up to 2.9 times as
// wide as they are high. The projection's x, y and w are kept: only depth and
// the near clip change.
const float NearPlane = 0.5 * NearestRest;

vec4 withNearPlane(vec4 clip) {
    // w is the distance in front of the eye along the view axis, whatever the
    // projection's own near plane.
    clip.z = (clip.w * (FarPlane + NearPlane) - 2.0 * FarPlane * NearPlane) /
             (FarPlane - NearPlane);
    return clip;
}

// The lamp the player carries, in camera space: at the eye and a little above
// it, the height of a torch held over the head. Walls are taller than the
// standing eye plus this lift, and every other face the player sees is either
// beside the eye or below it, so the lamp can never sit behind a visible face.
// The game places its light LightLead units in front of the eye, where a
// wall closer than that would have it behind its face; the lamp is that light
// drawn back to the eye and lifted.
const float LampLift = 0.15;

vec3 lampPosition_cameraspace(mat4 view, vec3 lightPosition_worldspace) {
    vec3 light_cameraspace = (view * vec4(lightPosition_worldspace, 1.0)).xyz;
    // The eye looks along -z in camera space.
    return light_cameraspace + vec3(0.0, 0.0, LightLead) + mat3(view) * vec3(0.0, LampLift, 0.0);
}

// Air thickens with distance towards the clear colour, which is also the sky:
// far corridors fade into it instead of into black, and depth reads at a
// glance. Nothing is fogged within FogStart units of the eye, and even the
// farthest wall keeps a trace of its own colour, so that it never passes for
// the empty sky beside it. The amount grows so slowly across a face that it
// is worked out at the corners and interpolated, which the software renderer
// does more cheaply than working it out at every pixel.
const float FogStart = 3.0;
const float FogScale = 11.0;  // units past FogStart at which half the fog is reached
const float FogDensest = 0.85;

float fogAt(float distance) {
    float past = max(distance - FogStart, 0.0) / FogScale;
    return FogDensest * past * past / (1.0 + past * past);
}
