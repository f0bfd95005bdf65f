#include "player/Autopilot.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/gtc/constants.hpp>

#include "player/Player.h"
#include "player/Tour.h"

namespace {
// Brisk but smooth: half a turn in about 0.6 s. Running (6 units/s) at this
// rate draws a curve of radius 1.2 units, so a corner is rounded within the
// corner cell, clear of its walls and of the pillar diagonally inside it.
constexpr float maxTurnRadiansPerSecond = 5.0f;
// The point aimed at runs this far ahead along the tour; a corner is left
// for the next leg this far before its centre.
constexpr float lookAheadUnits = 1.0f;
// No frame's step may be longer than this, however long the frame: a longer
// step could pass over a whole cell, and its food, or cut a corner through a
// pillar. A frame too long for a step is spent turning. Walking keeps to it
// down to 3 frames a second, running down to 6.
constexpr float maxStepUnits = 1.0f;
// Walk only while facing the aim this closely; otherwise turn on the spot.
constexpr float walkingAlignmentRadians = 1.0f;
// Run only when facing the aim this closely, and not into the last stretch
// before a stop: a little more than one running step at 10 steps a second.
constexpr float runningAlignmentRadians = 0.5f;
constexpr float runningRoomUnits = 0.7f;
// A dead end counts as reached this close to its centre: well inside the
// room, so its food is eaten.
constexpr float deadEndReachUnits = 0.25f;
// The tour ends a little inside the exit opening, where its food cube is
// eaten, a cell short of the sculpture beyond: nearer, the sculpture would
// fill the view and more. Anywhere within lastStopToleranceUnits of the end
// point, which lies lastStopInsideOpeningUnits inside the opening, counts as
// there. The last step must land in that window (0.4 units deep), so it is
// taken only when it does, unless frames are too long for any step to fit
// (below about 7 frames a second).
constexpr float lastStopToleranceUnits = 0.2f;
constexpr float lastStopInsideOpeningUnits = 0.25f;
// There the player looks down at the middle of the sculpture, which stands
// two units tall on the floor: the view holds all of it, with room to spare.
constexpr float sculptureMiddleHeight = 1.0f;

float wrappedAngle(float radians) {
    return std::remainder(radians, glm::two_pi<float>());
}

// Yaw 0 looks along +z and grows towards +x.
float yawTowards(const glm::vec2& from, const glm::vec2& to) {
    const glm::vec2 d = to - from;
    return std::atan2(d.x, d.y);
}

glm::vec2 worldOf(const CellPosition& cell) {
    const glm::vec3 centre = cellCentre(cell.first, cell.second, 0.0f);
    return {centre.x, centre.z};
}

// How far along the leg from a to b the point lies, measured from a.
float alongLeg(const glm::vec2& a, const glm::vec2& b, const glm::vec2& point) {
    return glm::dot(point - a, glm::normalize(b - a));
}

float clampedTurn(float wanted, float limit) {
    return std::clamp(wanted, -limit, limit);
}

// The cursor position the control step reads as this turn: it turns by
// mouseSpeed radians for each pixel of offset from the centre.
double cursorFor(float turnRadians, float radiansPerPixel, int sizePixels) {
    return static_cast<double>(windowCentrePixels(sizePixels)) -
           static_cast<double>(turnRadians / radiansPerPixel);
}
}  // namespace

Autopilot::Autopilot(const MazeGrid& grid, bool mayRun) : mayRun(mayRun) {
    const std::vector<CellPosition> tour = planTour(grid);
    // Only the corners of the tour matter: cells in a straight line between
    // them are passed on the way.
    for (size_t i = 0; i < tour.size(); ++i) {
        const glm::vec2 here = worldOf(tour[i]);
        if (i == 0 || i + 1 == tour.size()) {
            points.push_back({here, i != 0});
            continue;
        }
        const glm::vec2 in = here - worldOf(tour[i - 1]);
        const glm::vec2 out = worldOf(tour[i + 1]) - here;
        const float turn = glm::dot(in, out);
        if (turn < 0.0f) {
            points.push_back({here, true});
        } else if (turn == 0.0f) {
            points.push_back({here, false});
        }
    }
    if (points.size() < 2) {
        points.clear();
        nextPoint = 0;
        return;
    }
    // Not the sculpture's cell centre, inside the sculpture, but just across
    // the line into the exit opening, the cell before it.
    Waypoint& last = points.back();
    sculptureAt = last.at;
    const glm::vec2 approach = glm::normalize(last.at - points[points.size() - 2].at);
    last.at -= approach * (cellPitch * 1.5f - lastStopInsideOpeningUnits);
    lastLegDirection = approach;
}

void Autopilot::passArrivedWaypoints(const glm::vec2& position) {
    while (nextPoint < points.size()) {
        const Waypoint& to = points[nextPoint];
        const bool isLast = nextPoint + 1 == points.size();
        const float early =
            isLast ? lastStopToleranceUnits : (to.stop ? deadEndReachUnits : lookAheadUnits);
        if (leftOnLeg(position) > early) {
            return;
        }
        ++nextPoint;
    }
}

// How far the current leg still runs past the player's foot on it.
float Autopilot::leftOnLeg(const glm::vec2& position) const {
    const glm::vec2 from = points[nextPoint - 1].at;
    const glm::vec2 to = points[nextPoint].at;
    return glm::distance(from, to) - alongLeg(from, to, position);
}

glm::vec2 Autopilot::aimPoint(const glm::vec2& position) const {
    const glm::vec2 from = points[nextPoint - 1].at;
    const glm::vec2 to = points[nextPoint].at;
    const float legLength = glm::distance(from, to);
    const float along = std::clamp(alongLeg(from, to, position), 0.0f, legLength);
    return from + glm::normalize(to - from) * std::min(along + lookAheadUnits, legLength);
}

// Running stops a little before a dead end or the end of the tour, so that
// even a long frame does not carry the player far past it; corners are run
// through on a curve.
bool Autopilot::roomToRun(const glm::vec2& position) const {
    return !points[nextPoint].stop || leftOnLeg(position) > runningRoomUnits;
}

bool Autopilot::stepFits(const glm::vec2& position, float stepUnits) const {
    if (nextPoint + 1 != points.size()) {
        return true;
    }
    return stepUnits <= leftOnLeg(position) + lastStopToleranceUnits ||
           stepUnits > 2.0f * lastStopToleranceUnits;
}

float Autopilot::pitchTowardsSculpture(const Player& player) const {
    const glm::vec3 eye = player.getPosition();
    return std::atan2(sculptureMiddleHeight - eye.y,
                      glm::distance(glm::vec2(eye.x, eye.z), sculptureAt));
}

ControlInput Autopilot::nextInput(const Player& player, double now, int windowWidth,
                                  int windowHeight) {
    const float seconds = started ? static_cast<float>(now - lastNow) : 0.0f;
    started = true;
    lastNow = now;
    const glm::vec2 position(player.getPosition().x, player.getPosition().z);
    passArrivedWaypoints(position);

    const bool walking = !hasArrived();
    // At the end the player looks on along the last leg, down the middle of
    // the sculpture's cell: straight at it.
    const glm::vec2 aim = walking ? aimPoint(position) : position + lastLegDirection;
    const float turnLimit = maxTurnRadiansPerSecond * seconds;
    const float error = wrappedAngle(yawTowards(position, aim) - player.getHorizontalAngle());
    const float yawTurn = clampedTurn(error, turnLimit);
    // The view stays level while walking: a person looking up or down walks
    // shorter steps.
    const float pitch = walking ? 0.0f : pitchTowardsSculpture(player);
    const float pitchTurn = clampedTurn(pitch - player.getVerticalAngle(), turnLimit);
    const float errorAfterTurn = std::fabs(error - yawTurn);

    ControlInput input;
    input.now = now;
    input.windowWidth = windowWidth;
    input.windowHeight = windowHeight;
    input.cursorX = cursorFor(yawTurn, player.getMouseSpeed(), windowWidth);
    input.cursorY = cursorFor(pitchTurn, player.getMouseSpeed(), windowHeight);
    const float walkingStepUnits = player.getWalkSpeed() * seconds;
    input.forward = walking && errorAfterTurn < walkingAlignmentRadians &&
                    walkingStepUnits <= maxStepUnits && stepFits(position, walkingStepUnits);
    input.run = input.forward && mayRun && errorAfterTurn < runningAlignmentRadians &&
                2.0f * walkingStepUnits <= maxStepUnits && roomToRun(position) &&
                stepFits(position, 2.0f * walkingStepUnits);
    return input;
}
