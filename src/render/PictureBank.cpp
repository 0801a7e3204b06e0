#include "render/PictureBank.h"

#include "base/Error.h"
#include "render/BMPFile.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>

namespace PictureBank {
namespace {

constexpr const char* Tag = "PictureBank1";
constexpr int ColourCount = 32768;  // 15-bit colours
constexpr int PaletteColours = 254; // entries 1 to 254; 0 is black and 255 white
constexpr unsigned Fatal = 3;
constexpr unsigned Logged = 1; // written to the log; the program goes on

enum State { Uninitialised = 0, Empty = 1, Registered = 2, Decided = 3 };

struct Entry {
    std::unique_ptr<std::uint8_t[]> data;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t log2Width = 0;
    std::int32_t log2Height = 0;
    std::uint32_t size = 0;
    std::uint8_t flags = 0;
};

struct Bank {
    std::array<Entry, MaxPictures> entries;
    int count = 0;
    int colorBits = 0;
    State state = Uninitialised;
    Palette palette{};
    std::unique_ptr<std::uint8_t[]> indexTable; // 8-bit bank: palette index per 15-bit colour
};

Bank bank;

[[noreturn]] void Fail(const char* message) {
    Error::Fatal(Tag, message);
}

// The extension is at most three characters after the last dot among the path's last six.
void CheckExtension(std::string_view path) {
    const std::string_view tail = path.substr(path.size() - std::min<std::size_t>(path.size(), 6));
    const std::size_t dot = tail.rfind('.');
    if (dot == std::string_view::npos) {
        Fail("拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている");
        return;
    }
    const std::string_view extension = tail.substr(dot + 1, 3);
    if (extension != "bmp" && extension != "BMP") {
        Fail("対応していない画像拡張子を検出");
    }
}

// An 8-bit bank keeps 15-bit words until Decide turns them into palette indexes.
int LoadDepth() {
    switch (bank.colorBits) {
    case 8:
    case 16:
        return 16;
    case 24:
        return 24;
    default:
        Fail("ﾘｿｰｽﾓｼﾞｭｰﾙのｶﾗｰﾋﾞｯﾄからありえない数値を検出");
    }
}

constexpr const char* NotPow2 = "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした";

int Add(const char* path, bool optional) {
    if (bank.state != Empty && bank.state != Registered) {
        Fail("初期化されていないか決定されているのに登録しようとした");
    }
    CheckExtension(path);
    if (bank.count >= MaxPictures) {
        Fail("ﾘｿｰｽ数が満杯です");
    }
    Entry& entry = bank.entries[static_cast<std::size_t>(bank.count)];
    entry = Entry{};
    entry.data = BMPFile::Load(path, entry.width, entry.height, entry.size, LoadDepth(),
                               optional ? Logged : Fatal);
    entry.log2Width = PowerOfTwo(entry.width);
    entry.log2Height = PowerOfTwo(entry.height);
    if (entry.log2Width > 0 && entry.log2Height > 0) {
        entry.flags |= FlagPow2;
    } else if (optional && entry.data != nullptr) {
        Error::Report(Tag, NotPow2, Logged);
    }
    bank.state = Registered;
    return bank.count++;
}

struct Counter {
    std::uint64_t count;
    std::uint16_t colour;
};

std::uint16_t WordAt(const std::uint8_t* data, std::uint32_t i) {
    const std::size_t at = std::size_t{2} * i;
    return static_cast<std::uint16_t>((data[at] | data[at + 1] << 8) & 0x7FFF);
}

// Palette entry 0 black, 1 to 254 the most frequent colours (the lower colour first among
// equal counts), 255 white.
void BuildPalette() {
    std::unique_ptr<Counter[]> counters(new (std::nothrow) Counter[ColourCount]);
    if (counters == nullptr) {
        Fail("ｶｳﾝﾀﾒﾓﾘの獲得に失敗");
    }
    for (int c = 0; c < ColourCount; ++c) {
        counters[c] = {0, static_cast<std::uint16_t>(c)};
    }
    for (int id = 0; id < bank.count; ++id) {
        const Entry& entry = bank.entries[static_cast<std::size_t>(id)];
        for (std::uint32_t i = 0; i < entry.size / 2; ++i) {
            ++counters[WordAt(entry.data.get(), i)].count;
        }
    }
    std::partial_sort(counters.get(), counters.get() + PaletteColours, counters.get() + ColourCount,
                      [](const Counter& a, const Counter& b) {
                          return a.count != b.count ? a.count > b.count : a.colour < b.colour;
                      });
    bank.palette[0] = {0, 0, 0, 0};
    for (int i = 0; i < PaletteColours; ++i) {
        const unsigned c = counters[i].colour;
        bank.palette[static_cast<std::size_t>(i) + 1] = {
            static_cast<std::uint8_t>((c >> 10) * 8), static_cast<std::uint8_t>((c >> 5 & 31) * 8),
            static_cast<std::uint8_t>((c & 31) * 8), 0};
    }
    bank.palette[PaletteSize - 1] = {255, 255, 255, 0};
}

// Nearest palette entry by the sum of squared 5-bit component differences; the lowest index
// wins a tie.
std::uint8_t NearestEntry(int colour) {
    const int r = colour >> 10, g = colour >> 5 & 31, b = colour & 31;
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < PaletteSize; ++i) {
        const PaletteEntry& e = bank.palette[static_cast<std::size_t>(i)];
        const int dr = r - (e.red >> 3), dg = g - (e.green >> 3), db = b - (e.blue >> 3);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void ConvertToPalette() {
    bank.indexTable.reset(new (std::nothrow) std::uint8_t[ColourCount]);
    if (bank.indexTable == nullptr) {
        Fail("ﾋﾟｸｾﾙ変換ﾃｰﾌﾞﾙﾒﾓﾘの獲得に失敗");
    }
    for (int c = 0; c < ColourCount; ++c) {
        bank.indexTable[c] = NearestEntry(c);
    }
    for (int id = 0; id < bank.count; ++id) {
        Entry& entry = bank.entries[static_cast<std::size_t>(id)];
        if (entry.data == nullptr) {
            continue;
        }
        std::unique_ptr<std::uint8_t[]> indexes(new (std::nothrow) std::uint8_t[entry.size / 2]);
        if (indexes == nullptr) {
            Fail("ﾊﾟﾚｯﾄﾃﾞｰﾀﾒﾓﾘの獲得に失敗");
        }
        for (std::uint32_t i = 0; i < entry.size / 2; ++i) {
            indexes[i] = bank.indexTable[WordAt(entry.data.get(), i)];
        }
        entry.data = std::move(indexes);
        entry.size /= 2;
    }
}

const Entry& DecidedEntry(int id) {
    if (id < 0 || id >= bank.count) {
        Fail("登録IDの範囲を超えてﾘｿｰｽにｱｸｾｽした");
    }
    if (bank.state != Decided) {
        Fail("ﾘｿｰｽを決定しないでｱｸｾｽしてきた");
    }
    return bank.entries[static_cast<std::size_t>(id)];
}

void RequireDecided() {
    if (bank.state != Decided) {
        Fail("登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
    }
}

void RequirePalette() {
    RequireDecided();
    if (bank.colorBits != 8) {
        Fail("８ﾋﾞｯﾄｶﾗｰでないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
    }
}

} // namespace

int PowerOfTwo(std::int32_t value) {
    int n = 0;
    while (value > 1 && value % 2 == 0) {
        value /= 2;
        ++n;
    }
    return value == 1 ? n : 0;
}

void Initialize(int colorBits) {
    for (Entry& entry : bank.entries) {
        entry = Entry{};
    }
    if (colorBits == 8 || colorBits == 16 || colorBits == 24) {
        bank.colorBits = colorBits;
    } else {
        Fail("対応していないｶﾗｰﾋﾞｯﾄが設定されました");
    }
    if (bank.state != Uninitialised) {
        Fail("このｸﾗｽが２度初期化された可柏ｫがある");
    }
    bank.state = Empty;
}

int Register(const char* path) {
    return Add(path, false);
}

int RegisterTexture(const char* path) {
    return Add(path, true);
}

void Decide() {
    if (bank.state != Registered) {
        Fail("画像が設定されていないのに決定された");
    }
    switch (bank.colorBits) {
    case 8:
        BuildPalette();
        ConvertToPalette();
        break;
    case 16:
    case 24:
        break;
    default:
        Fail("ﾘｿｰｽのｶﾗｰﾋﾞｯﾄにありえない値を検出");
    }
    bank.state = Decided;
}

bool HasPow2Data(int id) {
    return (DecidedEntry(id).flags & FlagPow2) != 0;
}

const std::uint8_t* GetPow2Data(int id, std::int32_t& log2Width, std::int32_t& log2Height) {
    const Entry& entry = DecidedEntry(id);
    log2Width = entry.log2Width;
    log2Height = entry.log2Height;
    if ((entry.flags & FlagPow2) == 0) {
        Fail(NotPow2);
    }
    return entry.data.get();
}

const std::uint8_t* GetImage(int id, std::int32_t& width, std::int32_t& height, std::uint32_t& size,
                             std::uint8_t& flags) {
    const Entry& entry = DecidedEntry(id);
    width = entry.width;
    height = entry.height;
    size = entry.size;
    flags = entry.flags;
    return entry.data.get();
}

int GetCount() {
    RequireDecided();
    return bank.count;
}

int GetColorBits() {
    RequireDecided();
    return bank.colorBits;
}

const Palette& GetPalette() {
    RequirePalette();
    return bank.palette;
}

std::uint8_t GetPaletteIndex(int color15) {
    RequirePalette();
    if (color15 < 0 || color15 >= ColourCount) {
        Fail("15ﾋﾞｯﾄｶﾗｰでないものが入力された");
    }
    return bank.indexTable[color15];
}

void GetPaletteColor(int index, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
    RequirePalette();
    if (index < 0 || index >= PaletteSize) {
        Fail("ﾊﾟﾚｯﾄ番号でないものが入力された");
    }
    const PaletteEntry& entry = bank.palette[static_cast<std::size_t>(index)];
    red = entry.red;
    green = entry.green;
    blue = entry.blue;
}

void Release() {
    for (Entry& entry : bank.entries) {
        entry = Entry{};
    }
    bank.indexTable.reset();
    bank.count = 0;
    bank.state = Uninitialised;
    bank.colorBits = 0;
}

} // namespace PictureBank
