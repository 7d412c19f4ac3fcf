// Resources, files, bitmap loading and the GDI copy into surfaces.
#include "platform/ddraw_fixture.h"

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "support/bitmap_bytes.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// Colours far apart, so nearest-colour matching has one right answer.
std::vector<RGBQUAD> DistinctColours() {
    std::vector<RGBQUAD> colours(256);
    for (int i = 0; i < 256; ++i) {
        colours[i] =
            RGBQUAD{static_cast<BYTE>(i / 2), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
    }
    return colours;
}

// The colour a memory context shows at (x, y) for a loaded bitmap.
COLORREF BitmapPixel(HANDLE bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override { HeadlessReset(); }
    void TearDown() override { HeadlessReset(); }
};

}  // namespace

TEST_F(ResourceTest, EmbeddedBitmapIsTheFileWithoutItsFileHeader) {
    HRSRC resource = FindResourceA(nullptr, "tinyembed", RT_BITMAP);
    ASSERT_NE(resource, nullptr) << "registered by the build, found regardless of case";
    const std::vector<uint8_t> file = ReadFile(ZEPHYX_TEST_DATA "/tiny.bmp");
    ASSERT_EQ(SizeofResource(nullptr, resource), file.size() - 14);
    const void* bytes = LockResource(LoadResource(nullptr, resource));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, file.data() + 14, file.size() - 14), 0);
    EXPECT_EQ(FindResourceA(nullptr, "NOTTHERE", RT_BITMAP), nullptr) << "missing file skipped";
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(7), RT_BITMAP), nullptr);

    HANDLE bitmap =
        LoadImageA(GetModuleHandleA(nullptr), "TINYEMBED", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    EXPECT_EQ(GetObjectA(bitmap, 24, &info), 24) << "the 32-bit Windows record size";
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmBitsPixel, 8);
    // Top row 1, 2, 3; colour i is (255 - i, i, i / 2) in the file's table.
    EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(254, 1, 0));
    EXPECT_EQ(BitmapPixel(bitmap, 2, 1), RGB(249, 6, 3));
    EXPECT_TRUE(DeleteObject(bitmap));

    HeadlessHideResource("TINYEMBED");
    EXPECT_EQ(FindResourceA(nullptr, "TINYEMBED", RT_BITMAP), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "TINYEMBED", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    HeadlessReset();
    EXPECT_NE(FindResourceA(nullptr, "TINYEMBED", RT_BITMAP), nullptr) << "a reset shows it again";
}

TEST_F(ResourceTest, FilesLoadBottomUpTopDownAndFourBitAndScaleOnRequest) {
    const std::vector<RGBQUAD> colours = DistinctColours();
    DibLayout bottomUp = IndexedDib(3, 2, colours, {10, 11, 12, 13, 14, 15});
    DibLayout topDown = bottomUp;
    topDown.height = -2;
    std::swap_ranges(topDown.rows.begin(), topDown.rows.begin() + 4, topDown.rows.begin() + 4);
    DibLayout fourBit;
    fourBit.width = 3;
    fourBit.height = 1;
    fourBit.bitCount = 4;
    fourBit.colours.assign(colours.begin(), colours.begin() + 16);
    fourBit.rows = {0x1F, 0x20, 0, 0};  // 1, 15, 2

    for (const DibLayout& layout : {bottomUp, topDown}) {
        const TempFile file("indexed.bmp", MakeBmpFile(layout));
        HANDLE bitmap = LoadImageA(nullptr, file.path.c_str(), IMAGE_BITMAP, 0, 0,
                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(10, 245, 5));
        EXPECT_EQ(BitmapPixel(bitmap, 2, 1), RGB(15, 240, 7));
        EXPECT_EQ(BitmapPixel(bitmap, 3, 0), CLR_INVALID);
        DeleteObject(bitmap);
    }

    const TempFile four("four.bmp", MakeBmpFile(fourBit));
    HANDLE bitmap = LoadImageA(nullptr, four.path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(1, 254, 0));
    EXPECT_EQ(BitmapPixel(bitmap, 1, 0), RGB(15, 240, 7));
    EXPECT_EQ(BitmapPixel(bitmap, 2, 0), RGB(2, 253, 1));
    DeleteObject(bitmap);

    bitmap = LoadImageA(nullptr, four.path.c_str(), IMAGE_BITMAP, 6, 4, LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 6);
    EXPECT_EQ(info.bmHeight, 4);
    EXPECT_EQ(BitmapPixel(bitmap, 3, 3), RGB(15, 240, 7));
    DeleteObject(bitmap);
}

// Every way a file can be damaged or lie gives a null bitmap, never a crash or a read outside
// the file (the sanitizer build checks the latter).
TEST_F(ResourceTest, DamagedOrUnsupportedFilesGiveNull) {
    const DibLayout good = IndexedDib(5, 3, DistinctColours(), std::vector<uint8_t>(15, 7));
    const std::vector<uint8_t> goodFile = MakeBmpFile(good);
    auto loads = [](const std::vector<uint8_t>& bytes) {
        const TempFile file("damaged.bmp", bytes);
        HANDLE bitmap = LoadImageA(nullptr, file.path.c_str(), IMAGE_BITMAP, 0, 0,
                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (bitmap == nullptr) {
            return false;
        }
        DeleteObject(bitmap);
        return true;
    };
    ASSERT_TRUE(loads(goodFile));

    for (size_t length = 0; length < goodFile.size(); length += 7) {
        EXPECT_FALSE(loads({goodFile.begin(), goodFile.begin() + length})) << "cut at " << length;
    }
    EXPECT_FALSE(loads({goodFile.begin(), goodFile.end() - 1}));

    auto patched = [&](size_t at, uint32_t value, int bytes = 4) {
        std::vector<uint8_t> file = goodFile;
        for (int i = 0; i < bytes; ++i) {
            file[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        return file;
    };
    constexpr size_t kInfo = 14;
    EXPECT_FALSE(loads(patched(0, 'X', 1))) << "no BM signature";
    EXPECT_FALSE(loads(patched(kInfo + 4, 0))) << "width 0";
    EXPECT_FALSE(loads(patched(kInfo + 4, static_cast<uint32_t>(-5)))) << "negative width";
    EXPECT_FALSE(loads(patched(kInfo + 4, 16385))) << "width beyond 16384";
    EXPECT_FALSE(loads(patched(kInfo + 8, 0))) << "height 0";
    EXPECT_FALSE(loads(patched(kInfo + 8, static_cast<uint32_t>(-16385)))) << "tall top-down";
    EXPECT_FALSE(loads(patched(kInfo + 8, 0x80000000u))) << "the most negative height";
    EXPECT_FALSE(loads(patched(kInfo + 8, 4))) << "more rows than the file holds";
    EXPECT_FALSE(loads(patched(kInfo + 14, 1, 2))) << "1 bit";
    EXPECT_FALSE(loads(patched(kInfo + 14, 16, 2))) << "16 bits";
    EXPECT_FALSE(loads(patched(kInfo + 14, 24, 2))) << "24 bits";
    EXPECT_FALSE(loads(patched(kInfo + 16, 1))) << "run-length compressed";
    EXPECT_FALSE(loads(patched(kInfo + 32, 257))) << "more than 256 colours";
    EXPECT_FALSE(loads(patched(kInfo, 12))) << "an old core header";
    EXPECT_FALSE(loads(patched(kInfo, 0xFFFFFFF0u))) << "a header larger than the file";
    EXPECT_FALSE(loads(patched(10, static_cast<uint32_t>(goodFile.size())))) << "offset at end";
    EXPECT_FALSE(loads(patched(10, 0xFFFFFFFFu))) << "offset far past the end";
    EXPECT_TRUE(loads(patched(kInfo + 8, static_cast<uint32_t>(-3)))) << "top-down loads";
    EXPECT_TRUE(loads(patched(kInfo + 32, 256))) << "256 colours stated";

    EXPECT_EQ(LoadImageA(nullptr, "/nonexistent/zephyx.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "/tmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    const TempFile goodBmp("good.bmp", goodFile);
    const char* path = goodBmp.path.c_str();
    EXPECT_EQ(LoadImageA(nullptr, path, IMAGE_BITMAP, -1, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 20000, LR_LOADFROMFILE), nullptr);
    HeadlessFailOperation(PlatformOp::LoadImageA, E_FAIL, 0, 1);
    EXPECT_EQ(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(ResourceTest, ResourcesAcceptLargerHeadersWithTheTableBehindThem) {
    DibLayout layout = IndexedDib(2, 1, DistinctColours(), {3, 4});
    layout.headerSize = 108;
    RegisterTestResource("WIDEHEADER", MakeDib(layout));
    HANDLE bitmap = LoadImageA(nullptr, "WIDEHEADER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(BitmapPixel(bitmap, 1, 0), RGB(4, 251, 2));
    DeleteObject(bitmap);

    layout.headerSize = 39;
    RegisterTestResource("NARROWHEADER", MakeDib(layout));
    EXPECT_EQ(LoadImageA(nullptr, "NARROWHEADER", IMAGE_BITMAP, 0, 0, 0), nullptr);
}

TEST_F(ResourceTest, FileReadsAreSequentialAndStopAtTheEnd) {
    const TempFile bytes("bytes.bin", {1, 2, 3, 4, 5});
    HFILE file = _lopen(bytes.path.c_str(), OF_READ);
    ASSERT_NE(file, HFILE_ERROR);
    uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(_lread(file, buffer, 2), 2u);
    EXPECT_EQ(_lread(file, buffer, 8), 3u);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[3], 9) << "bytes the file does not have are left alone";
    EXPECT_EQ(_lread(file, buffer, 8), 0u);
    EXPECT_EQ(_lclose(file), 0);

    EXPECT_EQ(_lopen("/nonexistent/file", OF_READ), HFILE_ERROR);
    EXPECT_EQ(_lopen("/tmp", OF_READ), HFILE_ERROR) << "a folder is not a file";
}

TEST_F(ResourceTest, BitmapsSelectedIntoAContextAreNotDeleted) {
    DibLayout layout = IndexedDib(2, 2, DistinctColours(), {1, 2, 3, 4});
    RegisterTestResource("SELECTED", MakeDib(layout));
    HANDLE bitmap = LoadImageA(nullptr, "SELECTED", IMAGE_BITMAP, 0, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(dc, bitmap);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "one context at a time";
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(other));

    HeadlessFailOperation(PlatformOp::CreateCompatibleDC, E_FAIL);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
}

// A surface context converts every source colour to the nearest display palette entry.
TEST_F(DisplayTest, StretchBltScalesAndMatchesTheDisplayPalette) {
    // Display entry i is (i, 255 - i, i / 2); source colours sit close to entries 40, 41, 200.
    std::vector<RGBQUAD> colours(256);
    colours[0] = RGBQUAD{20, 215, 40, 0};
    colours[1] = RGBQUAD{21, 214, 41, 0};
    colours[2] = RGBQUAD{100, 55, 199, 0};
    RegisterTestResource("FOREIGN", MakeDib(IndexedDib(2, 2, colours, {0, 1, 2, 0})));
    HANDLE bitmap = LoadImageA(nullptr, "FOREIGN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    IDirectDrawSurface7* sheet = MakeOffscreen(4, 4);

    HDC image = CreateCompatibleDC(nullptr);
    SelectObject(image, bitmap);
    HDC dc = nullptr;
    ASSERT_EQ(sheet->GetDC(&dc), DD_OK);
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 4, 4, image, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(41, 214, 20));
    EXPECT_EQ(SetPixel(dc, 0, 3, RGB(100, 156, 50)), RGB(100, 155, 50));
    ASSERT_EQ(sheet->ReleaseDC(dc), DD_OK);
    DeleteDC(image);
    DeleteObject(bitmap);

    const std::vector<uint8_t> expected = {40,  40,  41, 41, 40,  40,  41, 41,
                                           200, 200, 40, 40, 100, 200, 40, 40};
    EXPECT_EQ(HeadlessSurfaceIndices(sheet), expected);
}
