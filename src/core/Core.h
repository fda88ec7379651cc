// CCore: the core services every part of the program leans on — the settings store, text
// files, colour conversion, picture and text drawing, and the warning box.
//
// Strings are ANSI, in code page 936 on every system (base/ProgramText.h). Colours are GDI+ ARGB
// (0xAARRGGBB) except where a COLORREF (0x00BBGGRR) is named. A value that cannot be read reads
// as never saved and a path that names no readable picture draws nothing; a file that cannot be
// written stays as it was, and the writes say so.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "picture/PictureBlit.h"
#include "picture/PictureFile.h"
#include "picture/PictureFit.h"
#include "store/AtomicFile.h"

class ConfigStore;

class CCore {
public:
    // The program's files are kept in `folder` (a path separator is added where it ends without
    // one), or, left empty, in the program's own folder.
    explicit CCore(std::string folder = {});
    ~CCore();
    CCore(const CCore&) = delete;
    CCore& operator=(const CCore&) = delete;

    // Opens the store "Placard.ini" in that folder; on a first run (no store file yet)
    // the values start from the defaults embedded in the program's resources.
    void autoFileConfig();

    // That folder, ending in a path separator. The program's own folder, should code page 936
    // not write its name, is named by its short name where the system keeps one.
    std::string getAppPath() const;
    // False when getAppPath() names no folder the program's files can be kept in: the folder's
    // name cannot be written in code page 936, nor has it a short name that can. A folder
    // given is taken as it is.
    bool appPathUsable() const;
    // That folder as the system names it (a folder given, as given), for telling the operator
    // where it is.
    std::wstring appPathForDisplay() const;
    // The store file, for telling the operator where the settings are kept.
    std::string configPath() const;

    // The store as another program left it (a missing, unreadable or empty file is no news:
    // false, and the store reads as before), with this run's unwritten saves kept over it.
    bool rereadConfig();
    // Where a save kept another program's version of the store beside it, once for a conflict
    // that goes on (ConfigStore.h); empty otherwise.
    std::string takeConfigKeptCopyNews();

    // The value last saved under `key`; a key never saved reads as its embedded default,
    // or else 0, false, empty, or opaque black.
    int getConfigInt(const std::string& key) const;
    bool getConfigB(const std::string& key) const;
    std::string getConfigStr(const std::string& key) const;
    Gdiplus::ARGB getConfigClr(const std::string& key) const;
    // Whether `key` holds an int (saved, or a default), and which.
    bool getConfigInt(const std::string& key, int& value) const;

    // Stored for the next start; each save replaces the store file atomically, and only the
    // line of its key: every other line stays as it was written. A store that was there but
    // could not be read (held open by another program throughout the start) gets only the keys
    // this run changed, merged into the file as it is then, and is never replaced unread. A value
    // saved as Unchanged (one this run did not change) goes only into a file without an entry
    // for its key, never over what another program wrote there.
    enum class Saving { Changed, Unchanged };
    void saveConfigInt(const std::string& key, int value, Saving saving = Saving::Changed);
    void saveConfigB(const std::string& key, bool value, Saving saving = Saving::Changed);
    void saveConfigStr(const std::string& key, const std::string& value, Saving saving = Saving::Changed);
    void saveConfigClr(const std::string& key, Gdiplus::ARGB value, Saving saving = Saving::Changed);

    // The saves made while one lives reach the disk in one atomic replacement of the store, at
    // commit() (which says what became of it) or else when it goes.
    class SaveBatch {
    public:
        explicit SaveBatch(CCore& core);
        ~SaveBatch();
        SaveBatch(const SaveBatch&) = delete;
        SaveBatch& operator=(const SaveBatch&) = delete;

        FileWrite commit();

    private:
        CCore& m_core;
        bool m_open = true;
    };

    // Decimal text of an int.
    static std::string getStrInt(int value);
    // COLORREF to ARGB with alpha 0xFF, and back without the alpha.
    static Gdiplus::ARGB getColor(COLORREF colour);
    static COLORREF getClrRef(Gdiplus::ARGB colour);

    // The whole file as exact bytes; a missing, unreadable or too large file reads as empty
    // text. A file held open by another program is tried again for a moment.
    std::string readTxtFile(const std::string& path) const;
    // The same, saying what became of the read.
    FileRead readTxtFile(const std::string& path, std::string& bytes) const;
    // A text file of the program's (a playlist of names) has no business beyond this.
    static constexpr size_t kMaxTextFileBytes = size_t{4} << 20;
    // Afterwards the file holds exactly `text`; it is replaced atomically, after waiting a moment
    // for a file another program holds. Says what became of the write.
    FileWrite outTxtFile(const std::string& text, const std::string& path) const;
    // True only for an existing regular file (a folder is not a file).
    bool isFileExist(const std::string& path) const;
    // The same for a path as the platform names it (a name code page 936 cannot write).
    bool isFileExist(const std::wstring& path) const;

    // A modal warning box (warning icon, OK button, caption "Placard") owned by `owner`.
    void msgboxWarning(HWND owner, const std::string& text) const;
    // The same for a text that names what code page 936 cannot write (a folder's name).
    void msgboxWarning(HWND owner, const std::wstring& text) const;

    // Draws the picture file with its top-left at (x, y) at its natural pixel size; draws
    // nothing for a path that names no readable picture. The file is released on return.
    void drawPic(Gdiplus::Graphics& graphics, int x, int y, const std::string& path) const;
    // The same into the area of `area` size whose top-left is (x, y), as `fit` says; PictureFit::None
    // is the call above. A JPEG is turned upright as its Exif orientation says first. `frame`, when
    // given, is the pixels the graphics draws on (with no transform and no clip): an opaque picture
    // at its own size is copied straight into them, with the pixels GDI+ would give, and one
    // shrunk to fit is averaged into them. Says why nothing was drawn.
    PictureTrouble drawPic(Gdiplus::Graphics& graphics, int x, int y, SIZE area, PictureFit fit,
                           const std::string& path, const PixelTarget* frame = nullptr) const;
    PictureTrouble drawPic(Gdiplus::Graphics& graphics, int x, int y, SIZE area, PictureFit fit,
                           const std::wstring& path, const PixelTarget* frame = nullptr) const;
    // The extent of `text` in the font `fontName` at `size` pixels.
    SIZE getTextBounds(const std::string& fontName, int size, const std::string& text) const;
    // Draws `text` at `point` in the font, size (pixels) and solid colour. The two ints are
    // reserved and passed as 0.
    void drawStrSolid(Gdiplus::Graphics& graphics, POINT point, int reserved1, const std::string& text,
                      const std::string& fontName, Gdiplus::ARGB colour, int size, int reserved2) const;

private:
    // The store, opened on first use should autoFileConfig() not have run yet.
    ConfigStore& store() const;
    void saveConfig(const std::string& key, const std::string& text, Saving saving);

    std::string m_folder;  // as given, with its separator; empty: the program's own
    std::unique_ptr<ConfigStore> m_store;
};
