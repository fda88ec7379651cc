// Answers the modal boxes that open on this thread while it lives: a message box, or any
// dialog with an OK button that is not yet known. It looks every 20 ms from a thread timer,
// which a modal loop keeps dispatching, records each box's caption and text, and by default
// presses the box's OK button (or the button given).
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class ModalBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;   // the message text of a message box, empty otherwise
        HWND owner;
    };

    // `answer` handles a found box; the default presses `button` there.
    explicit ModalBoxAnswerer(int button = IDOK);
    explicit ModalBoxAnswerer(std::function<void(HWND box)> answer);
    ~ModalBoxAnswerer();
    ModalBoxAnswerer(const ModalBoxAnswerer&) = delete;
    ModalBoxAnswerer& operator=(const ModalBoxAnswerer&) = delete;

    const std::vector<Box>& boxes() const { return m_boxes; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK OnWindow(HWND hwnd, LPARAM self);
    void Look();

    std::function<void(HWND)> m_answer;
    std::vector<Box> m_boxes;
    std::set<HWND> m_seen;
    UINT_PTR m_timer;
    ModalBoxAnswerer* m_previous;
};
