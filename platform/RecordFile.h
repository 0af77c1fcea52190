// Record-oriented access to a file of fixed-length records, numbered from 1.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "platform/Basic.h"

namespace vb {

// The next free file number; numbers are given back when their file is closed.
Integer FreeFile();

class RecordFile {
  public:
    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() { Close(); }

    // Opens `path` for reading and writing with records of `recordLength` bytes under the file
    // number `fileNo`, creating an empty file when it is missing. False when it cannot be opened.
    bool Open(const QString& path, int recordLength, Integer fileNo = 0);
    bool IsOpen() const { return file_.isOpen(); }
    // The file's length in bytes.
    qint64 Lof() const;
    // Record n (from 1). A record past the end reads as zero bytes; a partly present last record
    // reads as its bytes followed by zero bytes.
    QByteArray Get(qint64 n);
    // Writes record n (from 1), growing the file when needed. False when the write failed.
    bool Put(qint64 n, const QByteArray& record);
    void Close();
    QString ErrorString() const { return file_.errorString(); }

  private:
    QFile file_;
    int recordLength_ = 0;
    Integer fileNo_ = 0;
};

}  // namespace vb
