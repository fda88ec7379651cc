// The playlist file as the settings dialog edits it. Operators edit it in Notepad too, so it
// is read in whichever encoding Notepad saved it (TextEncoding.h) and written back in that
// same encoding, ANSI for a new file. A file the dialog could not read, or whose bytes do not
// survive the trip through the playlist box (a NUL byte, a character the ANSI code page
// lacks), is never replaced by what the box shows of it: only by what the operator types.
#pragma once

#include <string>

#include "core/AtomicFile.h"
#include "core/TextEncoding.h"

class CCore;

class PlaylistFile {
public:
    // Reads the file at `path` into `text`, in the ANSI code page, for the playlist box.
    FileRead open(const CCore& core, const std::string& path, std::string& text);
    // What the box holds once it was given that text.
    void shown(const std::string& boxText);
    // Writes the box's text in the file's encoding unless it is, unchanged, what was shown of a
    // file that could not be shown whole. True when the text was handed to the file.
    bool save(const CCore& core, const std::string& boxText);

private:
    std::string m_path;
    FileRead m_read = FileRead::Missing;
    TextEncoding m_encoding = TextEncoding::Ansi;
    std::string m_bytes;  // the file's bytes as read or last written
    std::string m_shown;
    bool m_keepFile = false;
};
