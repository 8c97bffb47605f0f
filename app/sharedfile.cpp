#include "app/sharedfile.h"

#include "model/diskchange.h"
#include "model/fileio.h"
#include "platform/dialogservice.h"

#include <QDateTime>

#include <ctime>

namespace {

const QString kInUseCaption = QStringLiteral("File in use");

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString nameOf(const std::string& path) {
    return text(fileNameOf(path));
}

QString timeText(std::int64_t secondsSince1970) {
    return QDateTime::fromSecsSinceEpoch(secondsSince1970)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

std::optional<LockOwner> ownerOf(const std::optional<std::string>& lockText) {
    return lockText ? parseLock(*lockText) : std::nullopt;
}

// Where and by whom the file is open, as the end of "SMITH.TAV is open ...".
QString holder(const std::string& path, const std::optional<LockOwner>& owner,
               const LockOwner& self) {
    if (!owner)
        return QStringLiteral("elsewhere, but its mark %1 cannot be read to say where")
            .arg(nameOf(lockPathFor(path)));
    if (owner->host == self.host)
        return QStringLiteral("in another TAVIK on this computer (user %1, process %2) since %3")
            .arg(text(owner->user))
            .arg(owner->processId)
            .arg(timeText(owner->since));
    return QStringLiteral("on %1 (user %2) since %3")
        .arg(text(owner->host), text(owner->user), timeText(owner->since));
}

QString abandonedNote(const std::string& path, const LockOwner& owner) {
    return QStringLiteral("%1 was left open by a TAVIK here that ended (user %2, since %3); "
                          "taken over.")
        .arg(nameOf(path), text(owner.user), timeText(owner.since));
}

} // namespace

SharedFile::Opening SharedFile::claim(QWidget* parent, const std::string& path) {
    const std::optional<std::string> lockText = readLockText(path);
    const LockState state = judgeLock(lockText, self_);
    Opening opening{OpenChoice::Writable, {}, {}};
    if (state == LockState::Held || state == LockState::Unreadable) {
        const QString where = holder(path, ownerOf(lockText), self_);
        const std::optional<int> answer = dialogs().choose(
            parent, kInUseCaption,
            QStringLiteral("%1 is open %2.\n\nOpen it read-only, to look at it, or open it "
                           "anyway? If you open it anyway and both of you save, the later save "
                           "asks before it replaces the earlier one.")
                .arg(nameOf(path), where),
            {QStringLiteral("Open read-only"), QStringLiteral("Open anyway")});
        if (!answer)
            return {OpenChoice::Cancel, {}, {}};
        if (*answer == 0)
            return {OpenChoice::ReadOnly, QStringLiteral("it is open %1").arg(where), {}};
    }
    if (state == LockState::Abandoned)
        opening.note = abandonedNote(path, *ownerOf(lockText));
    const QString failure = mark(path, state);
    if (!failure.isEmpty())
        opening.note = failure;
    return opening;
}

// Marks the file as open here, replacing a mark that is ours, abandoned or overruled
// by the clinician; the mark of the file open before goes. Returns why the file
// could not be marked, "" when it was.
QString SharedFile::mark(const std::string& path, LockState state) {
    if (path == marked_ && state == LockState::Ours)
        return {};
    LockOwner now = self_;
    now.since = std::time(nullptr);
    try {
        if (!writeLock(path, now, state != LockState::Free)) {
            unmark();
            return QStringLiteral("%1 was opened elsewhere at the same moment; the later save "
                                  "asks before it replaces the earlier one.")
                .arg(nameOf(path));
        }
    } catch (const FileError& error) {
        unmark();
        return QStringLiteral("Not marked as open for other workstations. %1")
            .arg(text(error.what()));
    }
    if (path != marked_)
        unmark();
    marked_ = path;
    return {};
}

void SharedFile::unmark() {
    if (!marked_.empty())
        removeLock(marked_, self_);
    marked_.clear();
}

void SharedFile::opened(const std::string& path, std::span<const uint8_t> bytes, bool readOnly) {
    if (readOnly)
        unmark();
    known_ = path;
    knownBytes_.assign(bytes.begin(), bytes.end());
}

void SharedFile::close() {
    unmark();
    known_.clear();
    knownBytes_.clear();
}

SharedFile::SaveChoice SharedFile::checkSave(QWidget* parent, const std::string& path) {
    if (path != marked_) {
        const std::optional<std::string> lockText = readLockText(path);
        const LockState state = judgeLock(lockText, self_);
        if (state == LockState::Held || state == LockState::Unreadable) {
            dialogs().warning(parent, kInUseCaption,
                              QStringLiteral("%1 is open %2. Save under another name, or once "
                                             "it is closed there.")
                                  .arg(nameOf(path), holder(path, ownerOf(lockText), self_)));
            return SaveChoice::Cancel;
        }
    }
    const std::optional<std::int64_t> changed =
        path == known_ ? changedOnDisk(path, knownBytes_) : std::nullopt;
    if (!changed)
        return SaveChoice::Replace;
    const std::optional<int> answer = dialogs().choose(
        parent, QStringLiteral("File changed"),
        QStringLiteral("%1 was changed on disk at %2, after it was opened or saved here: by "
                       "another workstation or another program.\n\nSave your work under "
                       "another name, or replace the file with it? The version replaced is "
                       "kept in the file's history.")
            .arg(nameOf(path), timeText(*changed)),
        {QStringLiteral("Save As..."), QStringLiteral("Replace")});
    if (!answer)
        return SaveChoice::Cancel;
    return *answer == 0 ? SaveChoice::SaveElsewhere : SaveChoice::Replace;
}

QString SharedFile::saved(const std::string& path, std::span<const uint8_t> bytes) {
    const LockState state =
        path == marked_ ? LockState::Ours : judgeLock(readLockText(path), self_);
    known_ = path;
    knownBytes_.assign(bytes.begin(), bytes.end());
    return mark(path, state);
}
