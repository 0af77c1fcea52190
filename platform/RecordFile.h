// Record-oriented access to a file of fixed-length records, numbered from 1.
//
// Reading goes through an open RecordFile. Writing never changes a file in place: a new version
// is written beside it and renamed over it in one step (ReplaceFileRange), so that a program
// killed at any moment, or a disk that fills up, leaves either the old file or the new one.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "platform/Types.h"

namespace platform {

enum class Access {
    ReadWrite,  // creates an empty file when it is missing
    ReadOnly,
};

class RecordFile {
  public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() { Close(); }

    // Opens `path` with records of `recordLength` bytes. Opened for reading and writing, a missing
    // file is created empty. Only a regular file is opened, and the opening never blocks (a FIFO in
    // its place fails at once). False when it cannot be opened (a directory, no permission);
    // ErrorString() then says why.
    bool Open(const QString& path, int recordLength, Access access = Access::ReadWrite);
    bool IsOpen() const { return file_.isOpen(); }
    // The file's length in bytes.
    qint64 Length() const;
    // Record n (from 1). A record past the end reads as zero bytes; a partly present last record
    // reads as its bytes followed by zero bytes. Never more than one record is read.
    QByteArray ReadRecord(qint64 n);
    void Close();
    QString ErrorString() const { return error_.isEmpty() ? file_.errorString() : error_; }

  private:
    QFile file_;
    QString error_;
    int recordLength_ = 0;
};

// A path the file functions can take for the folder named `folder` in bytes: its name as text,
// when that names the same folder and is short enough to open in one piece; otherwise a path
// through a descriptor of the folder, opened one folder at a time and kept open for the rest of
// the run (/proc/self/fd/N). Empty, with `why` saying why, when the folder cannot be opened.
QString FolderPath(const QByteArray& folder, QString* why);
// `path` as the player is shown it: a folder reached through its descriptor goes by its name.
QString ShownPath(const QString& path);

// Opens `path` as a regular file with the open(2) `flags`, without ever blocking: a FIFO, a device
// or a folder in its place is refused before anything is read from it. Returns the descriptor in
// blocking mode, or -1 with `why` saying why.
int OpenRegularFile(const QString& path, int flags, QString* why);

// Writes a new version of `target` in one step: a temporary file in the same folder receives the
// bytes of `source` (the old `target` itself when `source` is empty; nothing when that does not
// exist) with the bytes from `offset` on replaced by `bytes`, zero bytes filling any gap; it is
// flushed to the disk and renamed over `target`, and the folder is flushed too. The new file is
// as long as the old one or as offset + bytes.size(), whichever is longer.
//
// Holes of a sparse source stay holes and blocks of zero bytes are not written, so a file of
// gigabytes of zeros costs no disk space; the data the copy needs is checked against the free
// space of the disk before anything is written.
//
// A save changes nothing about the file but its contents: the new copy gets the old one's owner,
// group and mode before it takes its place. Where the saving account may not give it that owner or
// group, or where the file has other names (hard links) that a new copy would not reach, the bytes
// are written into the file itself instead: it keeps everything but its contents then, at the
// price of the one-step replacement.
//
// On failure the old target is left exactly as it was, and `why` says what went wrong.
bool ReplaceFileRange(const QString& target, qint64 offset, const QByteArray& bytes,
                      const QString& source, QString* why);

}  // namespace platform
