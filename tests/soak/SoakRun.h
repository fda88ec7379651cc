// One soak run: the program's own settings dialog and output window, driven from a thread
// timer while the dialog's modal loop runs, with every rotation frame counted on its way to
// the output window. The playlist file is rewritten every so often and taken up the way an
// operator does it without the Apply button (the output checkbox off and on again).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct SoakPicture {
    std::string name;
    uint32_t left;   // 0x00RRGGBB of the picture's left half
    uint32_t right;  // and of its right half
};

struct SoakOptions {
    long frames = 20000;       // rotation frames to compose
    long switchEvery = 1000;   // frames between playlist changes
    long baselineAt = 1000;    // when the first figures are taken
    long width = 1920;         // the output area, and the pictures' size
    long height = 1080;
    long memoryAllowanceMiB = 2;  // resident growth allowed from the baseline to the end
    DWORD stallMs = 30000;     // no frame for this long ends the run as failed
    long scroll = 0;           // the bar's "scroll", pixels per second; 0: still
    long fade = 0;             // "fade", milliseconds; 0: a cut
    std::string fit;           // "fit"; empty: none
};

struct SoakReport {
    long frames = 0;           // rotation frames composed
    long placements = 0;       // frames composed by placements (start-up and playlist changes)
    long switches = 0;
    int gdiBefore = 0;         // GDI objects still creatable at the baseline
    int gdiAfter = 0;          // and at the end
    uint64_t residentBaseline = 0;
    uint64_t residentEnd = 0;
    bool lastFrameRight = false;
    std::string lastFrame;     // what the check of the last frame found
    bool stalled = false;
    double seconds = 0;
};

class SoakRun {
public:
    SoakRun(SoakOptions options, std::vector<SoakPicture> pictures, uint32_t background, uint32_t text);
    ~SoakRun();
    SoakRun(const SoakRun&) = delete;
    SoakRun& operator=(const SoakRun&) = delete;

    // Starts counting and driving; the caller then runs the program. The run closes the
    // dialog itself when it is done.
    void Start(const std::string& itemsPath);
    const SoakReport& Report() const { return m_report; }

private:
    static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void SwitchPlaylist();
    void Finish();
    void CheckLastFrame();
    HWND Dialog() const;

    SoakOptions m_options;
    std::vector<SoakPicture> m_pictures;
    uint32_t m_background;
    uint32_t m_text;
    std::string m_itemsPath;
    std::vector<std::string> m_order;  // the playlist as last written
    SoakReport m_report;
    HHOOK m_hook = nullptr;
    UINT_PTR m_timer = 0;
    HWND m_output = nullptr;
    long m_nextSwitch = 0;
    long m_lastFrames = -1;
    DWORD m_lastProgress = 0;
    DWORD m_started = 0;
    bool m_finished = false;
    bool m_inTick = false;
};
