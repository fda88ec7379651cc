// Opt-in "log=1": the run's events appended to Placard.log beside the program, for whoever comes
// to find out why a screen nobody watched went wrong. The file is UTF-8 with a byte-order mark
// (Notepad shows it), opened, appended and closed for each event, so that another program may
// read, copy or delete it at any time. It never grows past kMaxBytes: then its lines go to
// Placard.log.1, which the next time is replaced. A write that fails (a read-only folder, a full
// disk, the file held) is dropped at once: the log never holds up the show nor a save.
#pragma once

#include <map>
#include <string>

#include "picture/PictureFile.h"
#include "store/FileStamp.h"

class RunLog {
public:
    static constexpr unsigned long long kMaxBytes = 1u << 20;

    // The log of the program folder `folder` (ending in a path separator). While it lives it is
    // the run's log, the one Note() writes to.
    explicit RunLog(const std::string& folder);
    ~RunLog();
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;

    // One line: the local time, then the event.
    void Write(const std::string& event) const;

    // Into the run's log; nothing without one.
    static void Note(const std::string& event);
    // A picture of the list at its turn, shown (None) or not: one that was not is told once, until
    // its file changes or it was shown meanwhile, not at every round.
    static void NotePicture(const std::string& name, const std::string& path, PictureTrouble trouble);

private:
    void Append(const std::string& bytes) const;

    struct Told {
        PictureTrouble trouble;
        FileStamp stamp;
    };
    std::string m_path;
    std::string m_earlier;  // where the older lines go
    std::map<std::string, Told> m_toldPictures;
    static inline RunLog* s_current = nullptr;
};
