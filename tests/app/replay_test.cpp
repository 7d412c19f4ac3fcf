// A whole session of the program: WinMain on the headless backend, played by a scripted
// keyboard from the message pump, checked by what reached the screen. Title, a game with a
// shot and a kill, a hit and its explosion, "Game Over" with the final score, the title again
// five seconds later, and Escape. With ZEPHYX_SCREENSHOT_DIR set, the title, the game and the
// game-over screen are also written there as PNG files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "game/actor.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

const HeadlessRgb kNavy = {7, 4, 48};
const HeadlessRgb kPanel = {121, 134, 150};
const HeadlessRgb kPromptYellow = {251, 254, 16};

enum class Phase { Title, Game, Fight, Ram, Exploding, GameOver, TitleAgain, Done };

struct Session {
    Phase phase = Phase::Title;
    uint32_t framesSeen = 0;
    uint32_t phaseStart = 0;  // HeadlessTime() when the phase began
    DWORD gameOverAt = 0;
    int shipXAtFrame[4] = {};
    int shipSamples = 0;
    double shipXAfterFirstStep = 0;
    int scoreAfterKill = 0;

    bool sawCounterBeforeOneSecond = false;
    bool sawCounterAfterOneSecond = false;
    bool titleChecked = false;
    bool gameChecked = false;
    bool shotSeen = false;
    bool killScoreShown = false;
    bool explosionSeen = false;
    bool gameOverChecked = false;
    bool titleReturned = false;
    DWORD titleReturnDelay = 0;
    std::string failure;
};

Session gSession;

void Fail(const std::string& what) {
    if (gSession.failure.empty())
        gSession.failure = what;
}

void Screenshot(const char* name) {
    if (const char* dir = std::getenv("ZEPHYX_SCREENSHOT_DIR")) {
        HeadlessWritePresentedPng((std::string(dir) + "/" + name + ".png").c_str());
    }
}

bool AnyPixel(int left, int top, int right, int bottom, bool (*match)(HeadlessRgb)) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (match(HeadlessPresentedPixel(x, y)))
                return true;
    return false;
}

bool IsPromptYellow(HeadlessRgb c) {
    return c == kPromptYellow;
}
bool IsBlueText(HeadlessRgb c) {
    return c.blue > 150 && c.red < 150;
}
bool IsNotNavy(HeadlessRgb c) {
    return !(c == kNavy);
}
bool IsYellowish(HeadlessRgb c) {
    return c.red > 200 && c.green > 200 && c.blue < 120;
}
bool IsCyanText(HeadlessRgb c) {
    return c.red < 80 && c.green > 200 && c.blue > 200;
}

void CheckTitle() {
    if (!(HeadlessPresentedPixel(0, 100) == kNavy))
        Fail("title: (0, 100) is not navy");
    if (AnyPixel(0, 0, 640, 353, IsPromptYellow) || AnyPixel(0, 378, 640, 480, IsPromptYellow))
        Fail("title: prompt yellow outside rows 353 to 377");
    if (!AnyPixel(138, 353, 488, 378, IsPromptYellow))
        Fail("title: no prompt");
    if (!AnyPixel(23, 100, 606, 200, IsNotNavy))
        Fail("title: no logo");
}

void CheckGameScreen() {
    for (int y = 100; y < 480; y += 7)
        if (!(HeadlessPresentedPixel(149, y) == kPanel))
            Fail("game: column 149 not blue-grey");
    int pictureRows = 0;
    for (int y = 0; y < 480; ++y)
        pictureRows += !(HeadlessPresentedPixel(150, y) == kPanel);
    if (pictureRows < 400)
        Fail("game: column 150 is not the picture");
    if (!AnyPixel(20, 50, 132, 66, IsYellowish))
        Fail("game: no score");
}

// The leftmost column of the ship's yellow base on screen, searched around the ship's cell.
int ShipLeftInPicture() {
    int ship = TruncatePosition(gPlayer.x);
    for (int x = ship - 8; x < ship + 40; ++x)
        for (int y = 448; y < 480; ++y)
            if (IsYellowish(HeadlessPresentedPixel(x, y)))
                return x;
    return -1;
}

void Press(int key, bool down) {
    bool isDown = GetAsyncKeyState(key) & 0x8000;
    if (down && !isDown)
        HeadlessKeyDown(key);
    if (!down && isDown)
        HeadlessKeyUp(key);
}

void Enter(Phase phase) {
    gSession.phase = phase;
    gSession.phaseStart = HeadlessTime();
}

// The live enemy nearest the ship, or null.
const Actor* NearestEnemy() {
    const Actor* nearest = nullptr;
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        const Actor& enemy = gActors[slot];
        if (enemy.life <= 0)
            continue;
        if (nearest == nullptr || enemy.y > nearest->y)
            nearest = &enemy;
    }
    return nearest;
}

// Where the enemy's left edge will be after `frames` more moves, by its kind's path.
double PredictX(const Actor& enemy, double frames) {
    double y = enemy.y + frames;
    switch (enemy.kind) {
        case kEnemyRight:
            return enemy.x + std::max(0.0, y - std::max(enemy.y, 160.0));
        case kEnemyLeft:
            return enemy.x - std::max(0.0, y - std::max(enemy.y, 160.0));
        case kEnemyWave:
            return std::sin(y * 3.141592653 / 180.0) * 150.0 + 366;
        default:
            return enemy.x;
    }
}

// Steers the ship's middle under the enemy's middle as it will be when a shot fired now meets
// it (shot up 2 and enemy down 1 pixel a frame); true once lined up.
bool SteerToIntercept(const Actor& enemy) {
    double frames = std::max(0.0, (gPlayer.y - 16 - (enemy.y + 40)) / 3.0);
    double offset = (PredictX(enemy, frames) + 24) - (gPlayer.x + 16);
    Press(VK_LEFT, offset < -1);
    Press(VK_RIGHT, offset > 1);
    return std::abs(offset) < 6;
}

// Steers the ship's middle under the enemy's middle, to fly into it.
void SteerUnder(const Actor& enemy) {
    double offset = (enemy.x + 24) - (gPlayer.x + 16);
    Press(VK_LEFT, offset < -1);
    Press(VK_RIGHT, offset > 1);
}

void OnFramePresented() {
    Session& s = gSession;
    uint32_t elapsed = HeadlessTime() - s.phaseStart;
    switch (s.phase) {
        case Phase::Title:
            if (elapsed < 900 && AnyPixel(0, 0, 64, 16, IsBlueText))
                s.sawCounterBeforeOneSecond = true;
            if (elapsed > 1100 && AnyPixel(0, 0, 64, 16, IsBlueText))
                s.sawCounterAfterOneSecond = true;
            if (elapsed > 1500 && !s.titleChecked) {
                CheckTitle();
                Screenshot("title");
                s.titleChecked = true;
                Press(VK_SPACE, true);
                Enter(Phase::Game);
            }
            break;
        case Phase::Game:
            if (gScene != kSceneGame)
                break;
            Press(VK_SPACE, false);
            if (!s.gameChecked) {
                CheckGameScreen();
                s.gameChecked = true;
                Press(VK_LEFT, true);
            } else if (s.shipSamples < 4) {
                if (s.shipSamples == 0)
                    s.shipXAfterFirstStep = gPlayer.x;
                s.shipXAtFrame[s.shipSamples++] = ShipLeftInPicture();
            } else {
                Press(VK_LEFT, false);
                Enter(Phase::Fight);
            }
            break;
        case Phase::Fight:
            if (const Actor* enemy = NearestEnemy()) {
                Press(VK_SPACE, SteerToIntercept(*enemy));
            }
            if (gShot.life > 0 && gPlayer.life > 0 && elapsed > 600 && !s.shotSeen) {
                s.shotSeen = true;
                Screenshot("game");
            }
            if (s.scoreAfterKill == 0 && gPlayer.value > 0) {
                s.scoreAfterKill = gPlayer.value;
                s.phaseStart = HeadlessTime();
            } else if (s.scoreAfterKill > 0 && elapsed > 100) {
                // The small score shows the kill: its last digits are no longer all zero.
                s.killScoreShown = AnyPixel(100, 50, 132, 66, IsYellowish);
                Press(VK_SPACE, false);
                Enter(Phase::Ram);
            }
            if (elapsed > 60000)
                Fail("no kill within a minute, ship life " + std::to_string(gPlayer.life) +
                     " scene " + std::to_string(gScene));
            break;
        case Phase::Ram:
            if (const Actor* enemy = NearestEnemy())
                SteerUnder(*enemy);
            Press(VK_UP, true);
            if (gPlayer.life == 0) {
                Press(VK_UP, false);
                Press(VK_LEFT, false);
                Press(VK_RIGHT, false);
                Enter(Phase::Exploding);
            }
            if (elapsed > 60000)
                Fail("never hit");
            break;
        case Phase::Exploding:
            if (gPlayer.life == 0) {
                int x = TruncatePosition(gPlayer.x), y = TruncatePosition(gPlayer.y);
                if (AnyPixel(x, y, x + 16, y + 16, IsYellowish))
                    s.explosionSeen = true;
            }
            if (gPlayer.life == -1) {
                s.gameOverAt = HeadlessTime();
                Enter(Phase::GameOver);
            }
            break;
        case Phase::GameOver:
            if (!s.gameOverChecked && elapsed > 200) {
                if (!AnyPixel(30, 180, 640, 310, IsCyanText))
                    Fail("no Game Over text");
                if (!AnyPixel(100, 300, 640, 370, IsCyanText))
                    Fail("no final score text");
                Screenshot("gameover");
                s.gameOverChecked = true;
            }
            if (gScene == kSceneTitle) {
                s.titleReturned = true;
                s.titleReturnDelay = HeadlessTime() - s.gameOverAt;
                Enter(Phase::TitleAgain);
            }
            break;
        case Phase::TitleAgain:
            CheckTitle();
            Press(VK_ESCAPE, true);
            Enter(Phase::Done);
            break;
        case Phase::Done:
            break;
    }
}

void Pump(void*) {
    if (HeadlessFlipCount() != gSession.framesSeen) {
        gSession.framesSeen = HeadlessFlipCount();
        OnFramePresented();
    }
}

}  // namespace

TEST(Replay, APlayedSessionShowsEveryScreenAndEndsWithExitCodeZero) {
    ResetProgram();
    HeadlessSetTime(5000);
    srand(1);
    gSession = Session{};
    gSession.phaseStart = HeadlessTime();
    HeadlessSetPumpHook(Pump, nullptr);

    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_EQ(gSession.failure, "");
    EXPECT_EQ(gSession.phase, Phase::Done);
    EXPECT_FALSE(gSession.sawCounterBeforeOneSecond) << "the counter is empty at first";
    EXPECT_TRUE(gSession.sawCounterAfterOneSecond);
    EXPECT_TRUE(gSession.titleChecked);
    EXPECT_TRUE(gSession.gameChecked);
    EXPECT_EQ(gSession.shipXAfterFirstStep, 384.0) << "one frame of left from 386";
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(gSession.shipXAtFrame[i - 1] - gSession.shipXAtFrame[i], 2) << i;
    EXPECT_TRUE(gSession.shotSeen);
    EXPECT_GT(gSession.scoreAfterKill, 0);
    EXPECT_TRUE(gSession.killScoreShown);
    EXPECT_TRUE(gSession.explosionSeen);
    EXPECT_TRUE(gSession.gameOverChecked);
    EXPECT_TRUE(gSession.titleReturned);
    EXPECT_GE(gSession.titleReturnDelay, 5000u);
    EXPECT_LT(gSession.titleReturnDelay, 5100u);
    EXPECT_FALSE(HeadlessWindowOpen());
}
