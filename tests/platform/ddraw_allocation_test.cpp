// Nothing on the frame path allocates: blits, fills, flips (with pacing, and presentation of
// changed and unchanged pictures alike) and surface device contexts.
#include "platform/ddraw_fixture.h"

#include "support/allocation_counter.h"

TEST_F(DisplayTest, FramePathOperationsAllocateNothing) {
    IDirectDrawSurface7* sheet = MakeOffscreen(64, 64);
    DDCOLORKEY key = {145, 145};
    ASSERT_EQ(sheet->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    RECT rect = {0, 0, 32, 32};
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 128;
    auto frame = [&](int i) {
        fx.dwFillColor = 128 + (i / 4) % 2;  // a new picture every fourth frame
        EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
        EXPECT_EQ(back->BltFast(10, 10, sheet, &rect, DDBLTFAST_NOCOLORKEY), DD_OK);
        EXPECT_EQ(back->BltFast(50, 10, sheet, &rect, DDBLTFAST_SRCCOLORKEY), DD_OK);
        HDC dc = nullptr;
        EXPECT_EQ(back->GetDC(&dc), DD_OK);
        SetPixel(dc, 1, 1, RGB(10, 20, 30));
        EXPECT_EQ(back->ReleaseDC(dc), DD_OK);
        EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
    };
    frame(0);  // the first presentation sizes the capture
    const size_t before = AllocationCount();
    for (int i = 1; i <= 100; ++i) {
        frame(i);
    }
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_EQ(HeadlessPresentCount(), 26u);
    EXPECT_EQ(HeadlessUnchangedFlipCount(), 75u);
}
