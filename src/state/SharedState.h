// The process-wide settings and runtime record through which the settings dialog and the
// output window exchange every setting. Data only; touched on the GUI thread alone.
#pragma once

#include <windows.h>

#include <string>

class CCore;
class COutputDlg;
class Playlist;
enum class PictureFit;
enum class BarClock;

struct SharedState {
    static inline int width = 0;
    static inline int height = 0;
    static inline int interval = 0;
    static inline DWORD clrbg = 0xFF000000;    // ARGB
    static inline DWORD clrfont = 0xFF000000;  // ARGB
    static inline std::string dispbtm;
    static inline int on = 0;
    static inline PictureFit fit{};  // how a picture fills the output
    static inline int scroll = 0;  // the bar's text moves at this many pixels per second; 0: still
    static inline BarClock clock{};  // the clock at the bar's right end
    static inline int barSize = 0;   // the bar's text size in pixels; 0: the usual
    static inline int fade = 0;      // a change of picture cross-fades over this many ms; 0: a cut

    static inline std::string appPath;    // ends in a path separator
    static inline std::string dataDir;    // appPath + "data\"
    static inline std::string itemsPath;  // appPath + "_items.txt"

    static inline Playlist* playlist = nullptr;
    static inline int playlistCount = 0;

    static inline int screenWidth = 0;
    static inline int screenHeight = 0;
    static inline RECT outputRect{0, 0, 0, 0};
    static inline int placed = 0;

    static inline COutputDlg* outputWnd = nullptr;
    static inline CCore* core = nullptr;
};
