// The patient file open in the window as the other workstations of a shared folder
// see it: the mark beside it that says who has it open, and the bytes last loaded
// from it or saved to it, by which a change made behind our back is noticed.
#pragma once

#include "model/filelock.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QWidget;

class SharedFile {
  public:
    enum class OpenChoice { Cancel, Writable, ReadOnly };
    enum class SaveChoice { Cancel, Replace, SaveElsewhere };

    // What opening a file found: how it opens, why it opens read-only, and a note for
    // the status bar (a mark taken over from a program that ended, one that could not
    // be made).
    struct Opening {
        OpenChoice choice = OpenChoice::Cancel;
        QString readOnlyReason;
        QString note;
    };

    SharedFile() = default;
    ~SharedFile() { close(); }
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    // Before a file is opened: marks it as open here when no one else has it open, or
    // when a program on this computer left the mark and has ended; asks when another
    // workstation or another running program has it open.
    Opening claim(QWidget* parent, const std::string& path);
    // The file is open now, with these bytes; the file open before is closed. A claim
    // answered read-only holds no mark.
    void opened(const std::string& path, std::span<const uint8_t> bytes, bool readOnly);
    // No file is open any more (New, Exit, a file that could not be read).
    void close();

    // Before a save to the path: refuses a file another workstation has open, and asks
    // before replacing our file when it changed on disk since we read or wrote it.
    SaveChoice checkSave(QWidget* parent, const std::string& path);
    // The save wrote these bytes to the path, which is the file open now; a mark on the
    // file open before moves to it. Returns a note for the status bar, if any.
    QString saved(const std::string& path, std::span<const uint8_t> bytes);

    // The file marked as open here ("" when none).
    const std::string& markedPath() const { return marked_; }

  private:
    QString mark(const std::string& path, LockState state);
    void unmark();

    LockOwner self_ = thisWorkstation();
    std::string marked_;
    std::string known_; // the file whose bytes we know
    std::vector<uint8_t> knownBytes_;
};
