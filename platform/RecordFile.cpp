#include "platform/RecordFile.h"

#include <set>

namespace vb {

namespace {
std::set<Integer>& FilesInUse() {
    static std::set<Integer> inUse;
    return inUse;
}
}  // namespace

Integer FreeFile() {
    Integer n = 1;
    while (FilesInUse().count(n) != 0)
        ++n;
    return n;
}

bool RecordFile::Open(const QString& path, int recordLength, Integer fileNo) {
    Close();
    recordLength_ = recordLength;
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadWrite))
        return false;
    fileNo_ = fileNo != 0 ? fileNo : FreeFile();
    FilesInUse().insert(fileNo_);
    return true;
}

qint64 RecordFile::Lof() const {
    return file_.isOpen() ? file_.size() : 0;
}

QByteArray RecordFile::Get(qint64 n) {
    QByteArray record(recordLength_, '\0');
    if (!file_.isOpen() || n < 1)
        return record;
    const qint64 offset = (n - 1) * recordLength_;
    if (offset >= file_.size() || !file_.seek(offset))
        return record;
    const qint64 got = file_.read(record.data(), recordLength_);
    if (got < recordLength_) {
        // Whatever could not be read stays zero.
        std::fill(record.begin() + (got < 0 ? 0 : got), record.end(), '\0');
    }
    return record;
}

bool RecordFile::Put(qint64 n, const QByteArray& record) {
    if (!file_.isOpen() || n < 1)
        return false;
    QByteArray bytes = record.left(recordLength_);
    if (bytes.size() < recordLength_)
        bytes.append(QByteArray(recordLength_ - bytes.size(), '\0'));
    const qint64 offset = (n - 1) * recordLength_;
    if (offset > file_.size()) {
        // The gap before a record written past the end is zero bytes.
        if (!file_.resize(offset))
            return false;
    }
    if (!file_.seek(offset))
        return false;
    return file_.write(bytes) == recordLength_;
}

void RecordFile::Close() {
    if (file_.isOpen()) {
        file_.flush();
        file_.close();
    }
    if (fileNo_ != 0) {
        FilesInUse().erase(fileNo_);
        fileNo_ = 0;
    }
}

}  // namespace vb
