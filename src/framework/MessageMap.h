// Message maps: one static table per class, chained to the base class's table.
//
// An entry names the message (and for commands the notification code and control id) and
// an adapter that unpacks wParam/lParam into a typed member function call. WindowImpl.h
// makes the entries and the chaining; this is only the data they are made of.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

// The framework's reflected form of a message a control sends its parent: the parent
// offers WM_COMMAND to the child as ReflectedMessageBase + WM_COMMAND (0xBD11).
constexpr UINT ReflectedMessageBase = 0xBC00;

// Called with the window object, the message's parameters and the result slot; returns
// whether the entry handled the message (only the "Ex" reflected form can say no).
using MessageInvoker = bool (*)(CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageEntry {
    UINT message;
    UINT code;   // notification code for WM_COMMAND and its reflected form
    UINT id;     // control id for WM_COMMAND; 0 for reflected entries
    MessageInvoker invoke;
};

// One class's own entries, as its table lists them.
struct MessageEntryList {
    template <std::size_t N>
    constexpr MessageEntryList(const MessageEntry (&table)[N]) : entries(table), count(N) {}

    const MessageEntry* entries;
    std::size_t count;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    std::size_t count;

    // The first entry, in this table or a base's, that matches; null when none does.
    const MessageEntry* Find(UINT message, WPARAM wParam) const;
};

