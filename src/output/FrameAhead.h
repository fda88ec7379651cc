// The next frame's background and picture, drawn on a thread of its own while the frame shown
// stands. Reading, decoding and fitting a camera's photo takes a few hundred milliseconds; on the
// window's thread the scrolling text would stand still for as long at every change of picture.
// At the change the window's thread takes the frame, if it is the one it would draw now, and
// draws the bar into it as into a frame of its own: the same pixels, in a few milliseconds.
//
// The window's thread makes and frees every surface; the worker only draws into the one it is
// lent, so that what the process holds does not depend on where the worker is.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/UniqueHandle.h"
#include "framework/DibSurface.h"
#include "picture/PictureFile.h"
#include "picture/PictureFit.h"
#include "store/FileStamp.h"

class CCore;

// Everything a frame's background and picture are drawn from.
struct FrameOrder {
    const CCore* core = nullptr;
    std::wstring path;  // the picture's file
    FileStamp stamp;   // the file as it was when ordered: a file changed since is read again
    SIZE area{0, 0};   // what the background fills and the picture is fitted into
    PictureFit fit = PictureFit::None;
    uint32_t background = 0;

    bool operator==(const FrameOrder& other) const {
        return core == other.core && path == other.path && stamp == other.stamp && area.cx == other.area.cx &&
               area.cy == other.area.cy && fit == other.fit && background == other.background;
    }
};

class FrameAhead {
public:
    // How a frame is drawn; it runs on the worker thread and may touch nothing but its arguments.
    using DrawFunction = PictureTrouble (*)(const FrameOrder& order, DibSurface& surface);
    struct Made {
        std::unique_ptr<DibSurface> surface;
        PictureTrouble trouble = PictureTrouble::None;
    };

    explicit FrameAhead(DrawFunction draw);
    // Waits for a frame being drawn; the thread ends with the object.
    ~FrameAhead();
    FrameAhead(const FrameAhead&) = delete;
    FrameAhead& operator=(const FrameAhead&) = delete;

    // `order` drawn into `surface` from now on, in place of anything ordered before. False, with
    // the surface let go, when no thread could be had: nothing is drawn ahead then.
    bool Order(const FrameOrder& order, std::unique_ptr<DibSurface> surface);
    // The frame drawn for `order`, waited for while it is being drawn; nothing when the last order
    // was another or none is left (taken, or dropped).
    std::optional<Made> Take(const FrameOrder& order);
    // Whatever was ordered goes, once a frame being drawn is done.
    void Drop();

private:
    enum class Stage { None, Waiting, Drawing, Drawn };

    static DWORD WINAPI Run(void* self);
    void Work();
    // Until the worker has no surface of ours; with the lock held.
    void WaitForWorker();

    DrawFunction m_draw;
    CRITICAL_SECTION m_lock;
    CONDITION_VARIABLE m_changed;
    Stage m_stage = Stage::None;
    FrameOrder m_order;
    Made m_made;
    bool m_ending = false;
    UniqueKernelHandle m_thread;
};
