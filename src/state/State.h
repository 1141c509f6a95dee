#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace state {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// The title that marks a slot as unregistered. Only this exact text makes a slot empty.
inline constexpr const char* EmptyMarker = "@未登録";

struct ItemRecord {
    std::string Path;   // program, document or folder path, or web address
    std::string Batch;  // short name, matched by the command box
    std::string Title;  // registered name

    bool isEmpty() const { return Title == EmptyMarker; }
    static ItemRecord empty() { return {"", "", EmptyMarker}; }
    bool operator==(const ItemRecord&) const = default;
};

inline constexpr int kPages = 16;
inline constexpr int kSlots = 4;
inline constexpr int kGridSize = kPages * kSlots;

// 16 pages of 4 slots, addressed (page, slot). Position n of a whole-grid walk is page n / 4, slot n % 4.
class Grid {
  public:
    ItemRecord& operator()(int page, int slot) { return items_.at(index(page, slot)); }
    const ItemRecord& operator()(int page, int slot) const { return items_.at(index(page, slot)); }
    ItemRecord& at(int position) { return items_.at(static_cast<std::size_t>(position)); }
    const ItemRecord& at(int position) const { return items_.at(static_cast<std::size_t>(position)); }
    void clear() { items_.fill(ItemRecord::empty()); }
    // The first free slot in list order, or -1 when the grid is full.
    int firstFree() const;
    bool operator==(const Grid&) const = default;

  private:
    static std::size_t index(int page, int slot) {
        // A slot past 3 would otherwise land quietly on the next page; at() catches the page.
        if (slot < 0 || slot >= kSlots)
            throw std::out_of_range("slot out of 0..3");
        return static_cast<std::size_t>(page * kSlots + slot);
    }
    std::array<ItemRecord, kGridSize> items_{};
};

struct HotkeyEntry {
    Integer Ctrl = 0;
    Integer Alt = 0;
    Integer Shift = 0;
    std::string Key;
    bool operator==(const HotkeyEntry&) const = default;
};

inline constexpr int kHotkeyCount = 5;
using HotkeyTable = std::array<HotkeyEntry, kHotkeyCount>;

inline constexpr const char* kDefaultBrowserPath = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
inline constexpr const char* kDefaultSkinFile = "softblue.skn";
inline constexpr const char* kDefaultClockFormat = "mm/dd(ddd) hh:mm:ss";

// Which grid the strip shows and the command box starts from; stored as 0 and 1.
enum class GridMode { Launcher, Url };

// The one process-wide record: grids, hotkeys, stored settings, paths, skin values and view state.
// Every field starts as zero or empty, as when the process starts.
struct LauncherState {
    // Item grids.
    Grid RunItems;  // launcher mode, TRUN.dat
    Grid UrlItems;  // URL mode, TURL.dat
    HotkeyTable Hotkeys{};

    // Stored settings.
    Single WindowLeft = 0;  // twips
    Long WindowTop = 0;     // twips
    Integer ZOrderBottom = 0;
    Integer ZOrderLock = 0;
    GridMode Mode = GridMode::Launcher;
    Integer UseInternetExplorer = 0;
    std::string BrowserPath;
    std::string SkinFile;
    std::string ClockFormat;
    Integer ShowIcon = 0;

    // File paths.
    std::string IniPath;
    std::string UrlDataPath;
    std::string RunDataPath;
    std::string ExePath;

    // Values of the current skin.
    std::string SkinFontName;
    Long SkinForeColor = 0;
    std::string SkinPicture;

    // View state of the main window.
    Integer RunPage = 0;
    Integer UrlPage = 0;
    Integer CurrentSlot = 0;
    Integer ShownSlot = 0;
    bool Expanded = false;
    bool ClockShown = false;
    bool CommandBoxFresh = false;
    Single TwipsPerPixel = 0;

    LauncherState() {
        // Grids start as empty strings, not as empty slots: only the first run marks them.
        RunItems = blankGrid();
        UrlItems = blankGrid();
    }

    // The grid and page of the current mode.
    Grid& currentGrid() { return Mode == GridMode::Url ? UrlItems : RunItems; }
    const Grid& currentGrid() const { return Mode == GridMode::Url ? UrlItems : RunItems; }
    Integer& currentPage() { return Mode == GridMode::Url ? UrlPage : RunPage; }
    Integer currentPage() const { return Mode == GridMode::Url ? UrlPage : RunPage; }
    ItemRecord& currentRecord(int slot) { return currentGrid()(currentPage(), slot); }

  private:
    static Grid blankGrid() {
        Grid grid;
        for (int n = 0; n < kGridSize; ++n)
            grid.at(n) = ItemRecord{};
        return grid;
    }
};

// The program folder's three stored files and the exe, as start-up sets them.
void SetPaths(LauncherState& s, const std::string& programFolder, const std::string& exeBaseName);
// The five default hotkeys, Ctrl + Alt + T, M, C, R, W. Changes nothing else and does not save.
void SetDefaultHotkeys(LauncherState& s);

}  // namespace state
