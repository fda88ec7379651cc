// The playlist file as the settings dialog edits it. Operators edit it in Notepad too, so it
// is read in whichever encoding Notepad saved it (TextEncoding.h) and written back in that
// same encoding, ANSI (code page 936) for a new file; an ANSI file becomes UTF-8 with a
// byte-order mark when the operator's list has a name code page 936 cannot write, rather than
// lose it. A file the dialog could not read, or whose bytes do not survive the trip through the
// playlist box (a NUL byte, bytes that are no text of code page 936), is never replaced by what
// the box shows of it: only by what the operator types. The box's text is kept as the platform
// has it, so that a name a Unicode file holds is shown, played and written back whole.
//
// Other programs (a sync tool, a remote session, Notepad) may rewrite the file while the
// dialog runs. Their version is never overwritten unknowingly: while the operator has not
// changed the box, the file's version wins; when both changed, the operator's list is written
// and the other version is kept beside it (KeptCopy.h).
#pragma once

#include <string>

#include "store/AtomicFile.h"
#include "store/TextEncoding.h"

class CCore;

// What became of handing the box's text to the file.
struct PlaylistSave {
    std::wstring list;            // the list to play now: the box's text, or the file's when taken
    FileWrite written = FileWrite::Written;  // the list's write (Written also when none was due)
    bool tookFileList = false;    // another program changed the file and the operator not: its list
    std::string keptCopy;         // both changed: where the other program's version was kept
    bool outsideVersionUnkept = false;  // both changed, and the other version could not be kept:
                                        // the file was left as it is
    bool outsideTooLarge = false;  // ... because it is too large to read, let alone keep a copy of
    bool alreadyTold = false;      // both changed, as they had at the save before: told then
};

class PlaylistFile {
public:
    // Reads the file at `path` into `text`, for the playlist box.
    FileRead open(const CCore& core, const std::string& path, std::wstring& text);
    // What the box holds once it was given that text.
    void shown(const std::wstring& boxText);
    // Writes the box's text in the file's encoding unless it is, unchanged, what was shown of a
    // file that could not be shown whole, or another program changed the file and the operator
    // did not change the box (its list is then taken).
    PlaylistSave save(const CCore& core, const std::wstring& boxText);
    // Another program's version of the file, in `list`, when it changed the file and the operator
    // has not changed the box since it was shown: it is then what the box shows (no write).
    bool takeOutsideEdit(const CCore& core, const std::wstring& boxText, std::wstring& list);

private:
    // The file's bytes as read now become what was read: their list is `list`.
    void adopt(const std::string& bytes, std::wstring& list);
    // Whether the file, as read now, is another program's version rather than the one last read
    // or written here. A file gone is none: there is nothing of another program's to lose.
    bool changedOutside(FileRead now, const std::string& bytes) const;

    std::string m_path;
    FileRead m_read = FileRead::Missing;
    TextEncoding m_encoding = TextEncoding::Ansi;
    std::string m_bytes;  // the file's bytes as read or last written
    std::wstring m_shown;
    bool m_keepFile = false;
    bool m_inConflict = false;  // the last save met another program's version as well as the operator's
};
