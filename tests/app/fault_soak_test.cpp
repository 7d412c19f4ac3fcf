// WinMain on the headless backend for a long run of titles, games and game overs, with a
// seeded random keyboard, the clock wrapping past 2^32 early on, and faults injected all the
// way: surfaces lost between frames and reported lost in the middle of one, busy answers from
// the copy, the flip and the lock, and the window minimised and restored.
//
// After every frame it checks what reached the screen. A picture is whole when the parts that
// do not move are exactly as the game draws them: on the title everything but the play itself
// (fill, logo, prompt, counter text); in a game the left panel and the right border with the
// counter and score text, plus something drawn where the ship and each live enemy are. Only a
// frame in which a surface was repaired may be incomplete (the copy that found the loss is not
// repeated), so each fault is followed by a whole picture within two frames.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "game/actor.h"
#include "headless.h"
#include "support/program_run.h"

namespace {

constexpr uint64_t kFrames = 200000;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr uint32_t kStartTime = 0xFFFFFFFFu - 10000u + 1u;  // 10 s before the wrap
constexpr uint64_t kWrapAt = 10000;                         // ms into the run
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;
constexpr uint8_t kTitleFill = 128;

const int kPlayKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE};

struct Sheet {
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
    DWORD key = 0;
};

Sheet Snapshot(IDirectDrawSurface7* surface) {
    Sheet sheet;
    sheet.pixels = HeadlessSurfaceIndices(surface);
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    surface->GetSurfaceDesc(&desc);
    sheet.width = static_cast<int>(desc.dwWidth);
    sheet.height = static_cast<int>(desc.dwHeight);
    sheet.key = desc.ddckCKSrcBlt.dwColorSpaceLowValue;
    return sheet;
}

// Keyed copy of a sheet rectangle into a 640-wide picture, as BltFast draws it.
void Overlay(std::vector<uint8_t>& picture, int pictureTop, const Sheet& sheet, RECT from, int x,
             int y) {
    for (int row = from.top; row < from.bottom; ++row) {
        for (int column = from.left; column < from.right; ++column) {
            uint8_t value = sheet.pixels[static_cast<size_t>(row) * sheet.width + column];
            if (value != sheet.key) {
                picture[static_cast<size_t>(y + row - from.top - pictureTop) * kWidth + x + column -
                        from.left] = value;
            }
        }
    }
}

struct SoakState {
    std::mt19937 random{20240611};
    bool started = false;
    bool closing = false;

    // References taken from the freshly loaded surfaces.
    Sheet strings;
    std::vector<uint8_t> titlePicture;  // fill, logo and prompt, no text
    std::vector<uint8_t> background;    // BACKIMG as the game copies it
    std::vector<uint8_t> counterBand;   // the 16 rows of the counter text, composed per check
    std::vector<uint8_t> scoreBand;     // the 16 rows of the score

    // The run so far.
    uint64_t elapsed = 0;  // ms since WinMain started, not wrapping
    uint32_t lastTime = kStartTime;
    DWORD lastNow = 0;
    BYTE sceneBefore = kSceneTitleSetup;
    int scoreBefore = 0;
    uint32_t lastFlips = 0;
    uint64_t framesRun = 0;
    uint64_t framesPresented = 0;

    // Faults.
    bool minimised = false;
    uint64_t restoreAt = 0;
    uint32_t pendingBltLoss = 0;  // injected mid-frame loss reports not yet given
    uint32_t pendingFlipLoss = 0;
    bool lostBefore[8] = {};
    int losses = 0, midFrameLosses = 0, minimises = 0, busyBursts = 0, repairs = 0;

    // Findings.
    int damagedAfterRepairs = 0;  // incomplete pictures in frames that repaired (allowed)
    int brokenFrames = 0;         // incomplete pictures anywhere else
    std::string firstBroken;
    int timerStalls = 0;
    std::string firstStall;

    // What was played.
    int games = 0, gameOvers = 0, titlesAfterGames = 0;
    int fpsUpdatesAfterWrap = 0, spawnsAfterWrap = 0, presentsAfterWrap = 0;
    bool gameAcrossWrap = false;
    bool enemyLive[kLastEnemySlot + 1] = {};
    int gameOverSeen = 0;
};

IDirectDrawSurface7* Surfaces(int i) {
    IDirectDrawSurface7* all[] = {gPrimarySurface, gBackSurface,  gBackImageSurface,
                                  gStringsSurface, gTitleSurface, gCharSurface};
    return all[i];
}
constexpr int kSurfaceCount = 6;

void TakeReferences(SoakState& s) {
    s.strings = Snapshot(gStringsSurface);
    Sheet title = Snapshot(gTitleSurface);
    Sheet back = Snapshot(gBackImageSurface);
    s.background = back.pixels;
    s.titlePicture.assign(static_cast<size_t>(kWidth) * kHeight, kTitleFill);
    Overlay(s.titlePicture, 0, title, RECT{0, 0, 640, 100}, 0, 100);
    Overlay(s.titlePicture, 0, title, RECT{0, 100, 640, 135}, 0, 350);
    s.counterBand.resize(static_cast<size_t>(kWidth) * kGlyphHeight);
    s.scoreBand.resize(static_cast<size_t>(kWidth) * kGlyphHeight);
}

// The 16 rows from `top` of `under` with `text` drawn at (x, top) in font row `fontRow`.
void ComposeBand(const SoakState& s, std::vector<uint8_t>& band, const std::vector<uint8_t>& under,
                 int top, const char* text, int x, int fontRow) {
    std::memcpy(band.data(), under.data() + static_cast<size_t>(top) * kWidth, band.size());
    for (int i = 0; text[i] != '\0'; ++i) {
        int left = (static_cast<unsigned char>(text[i]) - 32) * kGlyphWidth;
        RECT glyph = {left, fontRow * kGlyphHeight, left + kGlyphWidth,
                      (fontRow + 1) * kGlyphHeight};
        Overlay(band, top, s.strings, glyph, x + i * kGlyphWidth, top);
    }
}

bool RowPartEqual(const uint8_t* shown, const uint8_t* expected, int left, int right) {
    return std::memcmp(shown + left, expected + left, static_cast<size_t>(right - left)) == 0;
}

// Something other than the background where a sprite was drawn.
bool SpriteDrawn(const SoakState& s, const uint8_t* shown, const Actor& actor) {
    int x = TruncatePosition(actor.x), y = TruncatePosition(actor.y);
    for (int row = y; row < y + actor.height; ++row) {
        size_t at = static_cast<size_t>(row) * kWidth + x;
        if (std::memcmp(shown + at, s.background.data() + at, actor.width) != 0) {
            return true;
        }
    }
    return false;
}

const char* TitleFault(SoakState& s, const uint8_t* shown) {
    ComposeBand(s, s.counterBand, s.titlePicture, 0, gFpsText, 0, 0);
    for (int y = 0; y < kHeight; ++y) {
        const uint8_t* expected = y < kGlyphHeight ? s.counterBand.data() + y * kWidth
                                                   : s.titlePicture.data() + y * kWidth;
        if (!RowPartEqual(shown + y * kWidth, expected, 0, kWidth)) {
            return y < kGlyphHeight ? "title counter" : y < 350 ? "title logo" : "title prompt";
        }
    }
    return nullptr;
}

const char* GameFault(SoakState& s, const uint8_t* shown, int score) {
    char scoreText[32];
    snprintf(scoreText, sizeof scoreText, "SCORE %08d", score);
    constexpr int kScoreTop = 50;
    ComposeBand(s, s.counterBand, s.background, 0, gFpsText, 0, 0);
    ComposeBand(s, s.scoreBand, s.background, kScoreTop, scoreText, 20, 1);
    for (int y = 0; y < kHeight; ++y) {
        if (y >= 180 && y < 370) {
            continue;  // where the game-over text goes, which is not checked here
        }
        const uint8_t* expected = s.background.data() + y * kWidth;
        if (y < kGlyphHeight) {
            expected = s.counterBand.data() + y * kWidth;
        } else if (y >= kScoreTop && y < kScoreTop + kGlyphHeight) {
            expected = s.scoreBand.data() + (y - kScoreTop) * kWidth;
        }
        if (!RowPartEqual(shown + y * kWidth, expected, 0, gPlayArea.left)) {
            return y < kGlyphHeight                                 ? "game counter"
                   : y >= kScoreTop && y < kScoreTop + kGlyphHeight ? "score"
                                                                    : "left panel";
        }
        if (!RowPartEqual(shown + y * kWidth, expected, gPlayArea.right, kWidth)) {
            return "right border";
        }
    }
    if (gPlayer.life >= 0 && !SpriteDrawn(s, shown, gPlayer)) {
        return "ship";
    }
    for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
        if (gActors[slot].life > 0 && !SpriteDrawn(s, shown, gActors[slot])) {
            return "enemy";
        }
    }
    return nullptr;
}

void NoteStall(SoakState& s, const char* what) {
    if (s.timerStalls++ == 0) {
        s.firstStall = std::string(what) + " at " + std::to_string(s.elapsed) + " ms";
    }
}

// Every timer fires once its interval has passed and restarts from gNow, so right after a
// frame none is ever a whole interval old. One that stopped firing at the wrap would be.
void CheckTimers(SoakState& s, bool gameFrame) {
    if (gNow - gFpsTime >= 1000) {
        NoteStall(s, "frame counter");
    }
    if (!gameFrame || gScene != kSceneGame) {
        return;
    }
    if (gNow - gLastSpawnTime >= 5000) {
        NoteStall(s, "enemy spawning");
    }
    DWORD interval = gPlayer.life == -1 ? 5000 : static_cast<DWORD>(gPlayer.frameInterval);
    if (gNow - gPlayer.lastFrameTime >= interval) {
        NoteStall(s, "ship animation or game-over wait");
    }
}

void AfterFrame(SoakState& s) {
    ++s.framesRun;
    const bool titleFrame = s.sceneBefore == kSceneTitleSetup || s.sceneBefore == kSceneTitle;
    const bool gameFrame = s.sceneBefore == kSceneGameSetup || s.sceneBefore == kSceneGame;
    const bool afterWrap = s.elapsed >= kWrapAt;

    // Repairs in this frame: a lost surface made usable again, or an injected loss reported.
    bool repaired = false;
    for (int i = 0; i < kSurfaceCount; ++i) {
        repaired |= s.lostBefore[i] && !HeadlessSurfaceLost(Surfaces(i));
    }
    repaired |= HeadlessFailuresLeft(PlatformOp::BltFast) < s.pendingBltLoss;
    repaired |= HeadlessFailuresLeft(PlatformOp::Flip) < s.pendingFlipLoss;
    s.repairs += repaired;

    if (HeadlessFlipCount() != s.lastFlips) {
        s.lastFlips = HeadlessFlipCount();
        ++s.framesPresented;
        s.presentsAfterWrap += afterWrap;
        const uint8_t* shown = HeadlessPresentedIndices().data();
        const char* fault = nullptr;
        if (titleFrame) {
            fault = TitleFault(s, shown);
        } else if (gameFrame) {
            fault = GameFault(s, shown, s.sceneBefore == kSceneGameSetup ? 0 : s.scoreBefore);
        }
        if (fault != nullptr && repaired) {
            ++s.damagedAfterRepairs;
        } else if (fault != nullptr && s.brokenFrames++ == 0) {
            s.firstBroken = std::string(fault) + " in frame " + std::to_string(s.framesRun);
        }
    }

    CheckTimers(s, gameFrame);
    if (gameFrame && s.sceneBefore == kSceneGame) {
        // Spawns: an enemy slot that was free and is taken after this frame.
        for (int slot = kFirstEnemySlot; slot <= kLastEnemySlot; ++slot) {
            bool now = gActors[slot].life > 0;
            s.spawnsAfterWrap += afterWrap && now && !s.enemyLive[slot];
            s.enemyLive[slot] = now;
        }
    }
    if (s.sceneBefore == kSceneGameSetup) {
        ++s.games;
        // A game lasts at least the explosion and the game-over wait, 6.5 s.
        s.gameAcrossWrap |= !afterWrap && s.elapsed + 3000 > kWrapAt;
    }
    if (gameFrame && gPlayer.life == -1 && s.gameOverSeen != s.games) {
        s.gameOverSeen = s.games;
        ++s.gameOvers;
    }
    if (s.sceneBefore == kSceneGame && gScene == kSceneTitleSetup) {
        ++s.titlesAfterGames;
    }
    s.scoreBefore = gPlayer.value;
}

void Inject(SoakState& s) {
    std::uniform_int_distribution<int> roll(0, 9999);
    const int r = roll(s.random);
    if (r < 25) {
        // A surface loses its memory between frames: one of them, or all as a mode change does.
        int which = roll(s.random) % (kSurfaceCount + 1);
        if (which == kSurfaceCount) {
            HeadlessLoseAllSurfaces();
        } else {
            HeadlessLoseSurface(Surfaces(which));
        }
        ++s.losses;
    } else if (r < 40 && s.pendingBltLoss == 0) {
        // A copy somewhere in the coming frames reports the loss.
        HeadlessFailOperation(PlatformOp::BltFast, DDERR_SURFACELOST, roll(s.random) % 60, 1);
        ++s.midFrameLosses;
    } else if (r < 45 && s.pendingFlipLoss == 0) {
        HeadlessFailOperation(PlatformOp::Flip, DDERR_SURFACELOST, roll(s.random) % 3, 1);
        ++s.midFrameLosses;
    } else if (r < 95) {
        HeadlessStillDrawing(PlatformOp::BltFast, 1 + roll(s.random) % 100);
        ++s.busyBursts;
    } else if (r < 120) {
        HeadlessStillDrawing(PlatformOp::Flip, 1 + roll(s.random) % 30);
        ++s.busyBursts;
    } else if (r < 124 && s.elapsed > kWrapAt + 5000) {
        HeadlessSetMinimised(true);
        s.minimised = true;
        s.restoreAt = s.elapsed + 50 + roll(s.random) % 3000;
        ++s.minimises;
    }
}

// The keyboard: each key changes state now and then, so keys are held for a while and
// several are often down together. The space bar starts games from the title.
void PressKeys(SoakState& s) {
    std::uniform_int_distribution<int> roll(0, 999);
    if (s.elapsed < kWrapAt - 3000) {
        return;  // the first game starts 3 s before the wrap, so that it runs across it
    }
    for (int key : kPlayKeys) {
        int chance = key == VK_SPACE && gScene == kSceneTitle ? 40 : 25;
        if (roll(s.random) < chance) {
            if (GetAsyncKeyState(key) & 0x8000) {
                HeadlessKeyUp(key);
            } else {
                HeadlessKeyDown(key);
            }
        }
    }
}

// One pass of the message loop: look at the frame it ran, then play and break things.
void RunPass(SoakState& s) {
    const bool frameRan = gNow != s.lastNow;
    s.lastNow = gNow;
    if (frameRan) {
        AfterFrame(s);
        if (gFpsTime == gNow && s.elapsed >= kWrapAt) {
            ++s.fpsUpdatesAfterWrap;
        }
    }
    s.sceneBefore = gScene;

    if (s.minimised) {
        if (s.elapsed >= s.restoreAt) {
            HeadlessSetMinimised(false);
            s.minimised = false;
        }
        return;
    }
    if (s.framesRun >= kFrames) {
        s.closing = true;
        HeadlessKeyDown(VK_ESCAPE);
        return;
    }
    if (frameRan) {
        PressKeys(s);
        Inject(s);
    }
}

void Pump(void* context) {
    SoakState& s = *static_cast<SoakState*>(context);
    const uint32_t time = HeadlessTime();
    s.elapsed += time - s.lastTime;
    s.lastTime = time;
    if (!s.started) {
        s.started = true;
        TakeReferences(s);
        s.lastNow = gNow - 1;  // the first frame may read the same millisecond
        return;
    }
    if (s.closing) {
        return;
    }
    RunPass(s);
    // What is lost and which reported losses are pending as the next frame starts.
    for (int i = 0; i < kSurfaceCount; ++i) {
        s.lostBefore[i] = HeadlessSurfaceLost(Surfaces(i));
    }
    s.pendingBltLoss = HeadlessFailuresLeft(PlatformOp::BltFast);
    s.pendingFlipLoss = HeadlessFailuresLeft(PlatformOp::Flip);
}

TEST(FaultSoak, FramesStayWholeThroughFaultsAndTheClockWrap) {
    ResetProgram();
    HeadlessSetTime(kStartTime);
    // Start-up locks each keyed surface once to read its key colour; make it wait.
    HeadlessStillDrawing(PlatformOp::Lock, 25);
    SoakState soak;
    HeadlessSetPumpHook(Pump, &soak);

    int exitCode = RunWinMain();
    HeadlessSetPumpHook(nullptr, nullptr);

    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(HeadlessWindowOpen());
    EXPECT_EQ(gDirectDraw, nullptr);
    EXPECT_EQ(HeadlessStillDrawingLeft(PlatformOp::Lock), 0u);
    EXPECT_GE(soak.framesRun, kFrames);

    // Every picture was whole except in frames that repaired a loss, and those were few.
    EXPECT_EQ(soak.brokenFrames, 0) << "first: " << soak.firstBroken;
    EXPECT_LE(soak.damagedAfterRepairs, soak.repairs);
    EXPECT_GT(soak.framesPresented, soak.framesRun * 99 / 100);

    // Nothing stalled across the wrap: pictures, the counter and the spawning all went on.
    EXPECT_EQ(soak.timerStalls, 0) << "first: " << soak.firstStall;
    EXPECT_TRUE(soak.gameAcrossWrap);
    EXPECT_GT(soak.presentsAfterWrap, static_cast<int>(kFrames * 9 / 10));
    EXPECT_GT(soak.fpsUpdatesAfterWrap, static_cast<int>(kFrames / 60 * 8 / 10));
    EXPECT_GT(soak.spawnsAfterWrap, soak.games / 2);

    // The run covered what it is meant to.
    EXPECT_GE(soak.games, static_cast<int>(kFrames / 10000));
    EXPECT_GE(soak.gameOvers, soak.games - 1);
    EXPECT_GE(soak.titlesAfterGames, soak.games - 1);
    EXPECT_GT(soak.losses, 100);
    EXPECT_GT(soak.midFrameLosses, 50);
    EXPECT_GT(soak.busyBursts, 500);
    EXPECT_GT(soak.minimises, 10);
    RecordProperty("frames", std::to_string(soak.framesRun));
    printf(
        "frames %llu presented %llu games %d game overs %d losses %d mid-frame %d busy %d "
        "minimised %d repairs %d incomplete %d\n",
        static_cast<unsigned long long>(soak.framesRun),
        static_cast<unsigned long long>(soak.framesPresented), soak.games, soak.gameOvers,
        soak.losses, soak.midFrameLosses, soak.busyBursts, soak.minimises, soak.repairs,
        soak.damagedAfterRepairs);
}

}  // namespace
