// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/gamecore.h"

#include "rules/fallingobjects.h"
#include "rules/gamemode.h"
#include "rules/numeric.h"
#include "rules/randomsource.h"

namespace drovane {
namespace {

constexpr int rows = geometry::rowsPerWall;
constexpr double initialDriftStep = 50;
constexpr double initialCorridorGap = 4000;
constexpr double buildAmplitude = 50;  // the tunnel build's fixed step, not driftStep
constexpr int buildGap = 4000;         // the tunnel build's fixed gap, not corridorGap
constexpr float driftBound = 1500;

}  // namespace

GameCore::GameCore(const GameMode& mode, GameState& state, GameHost& host, RandomSource& random)
    : mode_(mode),
      state_(state),
      host_(host),
      random_(random)
{
}

void GameCore::load()
{
    host_.closeMenuAndBoards();
    field_.run = RunState::Running;
    resetRunVariables();
    state_.scoreCheck = 0;
    buildTunnel();
}

int GameCore::drawSign()
{
    random_.reseed();
    return random_.draw() < 0.5f ? 1 : -1;
}

void GameCore::buildTunnel()
{
    auto& k = state_.rowIndex;
    for (k = 2; k <= rows; ++k) {
        const int sign = drawSign();
        random_.reseed();
        const double r1 = random_.draw();
        field_.barLeft[k] = asSingle(state_.wallLeft[k - 1] + sign * r1 * buildAmplitude);
        const double r2 = random_.draw();
        state_.wallLeft[k] = asInteger(state_.wallLeft[k - 1] + sign * r2 * buildAmplitude);
        field_.barLeft[k + rows] = static_cast<float>(state_.wallLeft[k] + buildGap);
    }
}

void GameCore::tick()
{
    scoreStep();
    wallTests();
    fallSteps();
    contactTests();
    difficultyStep();
    scroll();
    newTopRow();
}

void GameCore::scoreStep()
{
    // A rise that no pickup explains marks the score as a cheat, which the submission refuses.
    if (state_.scoreCount > state_.scoreCheck + mode_.scoreTolerance)
        state_.scoreCount = mode_.cheatMarkerScore;
    state_.scoreCount = addScore(state_.scoreCount, 1);
    state_.scoreCheck = state_.scoreCount;
    field_.scoreCaption = QString::number(state_.scoreCount);
}

void GameCore::wallTests()
{
    constexpr int leftBar = geometry::collisionRow;
    constexpr int rightBar = geometry::collisionRow + rows;
    // Touching is no contact: both tests are strict, on single-precision sums.
    if (field_.shipLeft + float(geometry::shipContactFront) < field_.barLeft[leftBar] + float(geometry::leftBarContact))
        lose();
    // The ship is read afresh: this test runs even after the first one lost.
    if (field_.shipLeft + float(geometry::shipContactBack) > field_.barLeft[rightBar])
        lose();
}

void GameCore::fallSteps()
{
    if (mode_.hasStone())
        fallOneRow(field_.stone);
    if (mode_.hasPellet())
        fallOneRow(field_.pellet);
    if (mode_.hasBonus())
        fallOneRow(field_.bonus);
}

void GameCore::contactTests()
{
    if (mode_.hasStone() && meetsShip(field_.stone, float(geometry::stoneReach), field_.shipLeft))
        lose();  // the stone stays where it hit
    if (mode_.hasPellet() && meetsShip(field_.pellet, float(geometry::prizeReach), field_.shipLeft))
        collectPrize(falling::pelletReward);
    if (mode_.hasBonus() && meetsShip(field_.bonus, float(geometry::prizeReach), field_.shipLeft))
        collectPrize(falling::bonusReward);
}

void GameCore::collectPrize(int reward)
{
    // The prize stays visible; the score label shows the rise at the next tick.
    host_.beep();
    state_.scoreCount = addScore(state_.scoreCount, reward);
}

void GameCore::difficultyStep()
{
    if (state_.driftStep < mode_.driftLimit)
        state_.driftStep += mode_.driftIncrement;
    state_.corridorGap -= mode_.gapDecrement;
}

void GameCore::scroll()
{
    auto& k = state_.rowIndex;
    for (k = rows; k >= 2; --k) {
        field_.barLeft[k] = field_.barLeft[k - 1];
        state_.wallLeft[k] = state_.wallLeft[k - 1];
        field_.barLeft[k + rows] = asSingle(state_.wallLeft[k] + state_.corridorGap);
    }
}

void GameCore::newTopRow()
{
    // The bounds look at the previous top row's left bar, not at its stored offset.
    const float previousLeft = field_.barLeft[1];
    int sign;
    if (previousLeft < -driftBound)
        sign = 1;
    else if (previousLeft > driftBound)
        sign = -1;
    else
        sign = drawSign();

    random_.reseed();
    const double r1 = random_.draw();
    field_.barLeft[1] = asSingle(state_.wallLeft[1] + sign * r1 * state_.driftStep);
    const double r2 = random_.draw();
    state_.wallLeft[1] = asInteger(state_.wallLeft[1] + sign * r2 * state_.driftStep);
    field_.barLeft[1 + rows] = asSingle(state_.wallLeft[1] + state_.corridorGap);
}

void GameCore::lose()
{
    setTimers(false);
    host_.showMessage(QStringLiteral("Perdu !"));
    field_.run = RunState::Lost;
}

void GameCore::setTimers(bool enabled)
{
    host_.setTimerEnabled(GameTimer::Tick, enabled);
    if (mode_.hasStone())
        host_.setTimerEnabled(GameTimer::Stone, enabled);
    if (mode_.hasBonus())
        host_.setTimerEnabled(GameTimer::Bonus, enabled);
    if (mode_.hasPellet())
        host_.setTimerEnabled(GameTimer::Pellet, enabled);
}

void GameCore::stopTick()
{
    host_.setTimerEnabled(GameTimer::Tick, false);
}

void GameCore::launchStone()
{
    if (mode_.stoneScoreLimit && state_.scoreCount >= *mode_.stoneScoreLimit)
        return;  // a stone already falling keeps falling
    launch(field_.stone, stoneLaunchLeft(field_.barLeft[1], field_.barLeft[1 + rows]));
}

void GameCore::launchPrize(const Prize& prize)
{
    std::int16_t& side = state_.*prize.nextSide;
    launch(field_.*prize.object,
           prizeLaunchLeft(side, state_.scoreCount, mode_.nearWallScore, field_.barLeft[1], field_.barLeft[1 + rows]));
    side = side == 1 ? 2 : 1;
}

void GameCore::command(Command command)
{
    switch (command) {
    case Command::SteerLeft:
        if (isGoing(field_.run))
            field_.shipLeft = field_.shipLeft - float(geometry::shipStep);
        return;
    case Command::SteerRight:
        if (isGoing(field_.run))
            field_.shipLeft = field_.shipLeft + float(geometry::shipStep);
        return;
    case Command::Pause:
        pauseOrResume();  // in every state: it resumes a run that is not going
        return;
    case Command::Replay:
        if (isLost(field_.run))
            restartRun(RunRestart::Replay);
        return;
    }
}

void GameCore::clickPause()
{
    if (isLost(field_.run))
        restartRun(RunRestart::Replay);
    else
        pauseOrResume();
}

void GameCore::pauseOrResume()
{
    // A lost run that P set going again stays lost: it pauses and resumes as lost.
    const bool lost = isLost(field_.run);
    if (isGoing(field_.run)) {
        field_.run = lost ? RunState::LostPaused : RunState::Paused;
        setTimers(false);
    } else {
        field_.run = lost ? RunState::ResumedAfterLoss : RunState::Running;
        setTimers(true);
    }
}

void GameCore::windowLeft()
{
    if (isGoing(field_.run))
        command(Command::Pause);
}

void GameCore::restartRun(RunRestart restart)
{
    const bool replay = restart == RunRestart::Replay;
    field_.run = RunState::Running;
    setTimers(true);
    if (mode_.hasBonus())
        field_.bonus.visible = false;
    if (mode_.hasPellet())
        field_.pellet.visible = false;
    if (mode_.hasStone())
        field_.stone.visible = false;
    field_.shipLeft = geometry::shipLeftAfterReplay;
    auto& k = state_.rowIndex;
    for (k = 1; k <= rows; ++k) {
        state_.wallLeft[k] = 0;
        field_.barLeft[k] = 0;
    }
    if (mode_.hasStone())
        field_.stone.top = 0;
    if (replay && mode_.hasBonus())
        field_.bonus.top = 0;
    if (replay && mode_.hasPellet())
        field_.pellet.top = 0;
    resetRunVariables();
    if (replay)
        state_.scoreCheck = 0;
    buildTunnel();
}

void GameCore::resetRunVariables()
{
    if (mode_.hasPellet())
        state_.pelletSide = 1;
    state_.bonusSide = 1;
    state_.scoreCount = 0;
    state_.driftStep = initialDriftStep;
    state_.corridorGap = initialCorridorGap;
}

}  // namespace drovane
