// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The data of a copy: copy_file_range where it works, read and write
// otherwise, and the holes of a sparse file kept.
#include <algorithm>
#include <cerrno>
#include <memory>
#include <unistd.h>

#include "engine/PosixFileOps.h"
#include "util/SyscallSeam.h"

namespace posixops {

namespace {


bool fallsBackToReadWrite(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF || error == EPERM;
}

// Copies the bytes [offset, offset + length) of in to the same place in out,
// in chunks, with copy_file_range where it works and read/write otherwise;
// length < 0: up to the end of in (a pseudo file may report size 0).
class RangeCopier {
public:
    RangeCopier(int in, int out, const CopyOptions& options, bool tryCopyRange)
        : in_(in), out_(out), options_(options), copyRange_(tryCopyRange) {}

    int copy(off_t offset, long long length, long long& copied) {
        while (length < 0 || copied < length) {
            std::size_t want = options_.chunkBytes;
            if (length >= 0) want = std::size_t(std::min<long long>(length - copied, (long long)want));
            loff_t inOff = offset + copied, outOff = inOff;
            ssize_t n;
            if (copyRange_) {
                n = syscalls::copyFileRange(in_, &inOff, out_, &outOff, want, 0);
                if (n < 0 && errno == EINTR) continue;
                if ((n < 0 && !usedRange_ && fallsBackToReadWrite(errno)) || (n == 0 && !usedRange_)) {
                    copyRange_ = false;
                    continue;
                }
                if (n > 0) usedRange_ = true;
            } else {
                n = readWrite(offset + copied, want);
            }
            if (n < 0) return errno;
            if (n == 0) break;
            copied += n;
            if (options_.onChunk && !options_.onChunk(n)) return ECANCELED;
        }
        return 0;
    }

private:
    ssize_t readWrite(off_t at, std::size_t limit) {
        // Up to 1 MiB, as large as the range asks and not cleared: a small
        // file costs no large allocation.
        if (const std::size_t size = std::clamp<std::size_t>(limit, 4096, std::size_t(1) << 20); size > bufferSize_) {
            buffer_.reset(new char[size]);
            bufferSize_ = size;
        }
        std::size_t total = 0;
        while (total < limit) {
            const std::size_t want = std::min(bufferSize_, limit - total);
            const ssize_t got = ::pread(in_, buffer_.get(), want, at + off_t(total));
            if (got < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (got == 0) break;
            std::size_t written = 0;
            while (written < std::size_t(got)) {
                const ssize_t w = ::pwrite(out_, buffer_.get() + written, std::size_t(got) - written,
                                           at + off_t(total + written));
                if (w < 0) {
                    if (errno == EINTR) continue;
                    return -1;
                }
                written += std::size_t(w);
            }
            total += std::size_t(got);
            if (std::size_t(got) < want) break;
        }
        return ssize_t(total);
    }

    int in_, out_;
    const CopyOptions& options_;
    bool copyRange_;
    bool usedRange_ = false;
    std::unique_ptr<char[]> buffer_;
    std::size_t bufferSize_ = 0;
};

}  // namespace

// Copies all data of in (st: its fstat) to the empty file out. A file with
// fewer blocks than its size has holes: only its data extents are copied
// and the holes stay holes. copied counts data and holes.
int copyData(int in, int out, const struct stat& st, const CopyOptions& options, long long& copied) {
    copied = 0;
    // A size of 0 may hide a pseudo file whose data only read() returns.
    RangeCopier copier(in, out, options, st.st_size > 0);
    if (st.st_size == 0) return copier.copy(0, -1, copied);
    const bool sparse = (long long)st.st_blocks * 512 < (long long)st.st_size;
    if (!sparse) return copier.copy(0, st.st_size, copied);
    off_t pos = 0;
    while (pos < st.st_size) {
        off_t data = ::lseek(in, pos, SEEK_DATA);
        if (data < 0) {
            if (errno != ENXIO) return errno;
            data = st.st_size;  // only a hole is left
        }
        off_t hole = data < st.st_size ? ::lseek(in, data, SEEK_HOLE) : st.st_size;
        if (hole < 0) return errno;
        hole = std::min<off_t>(hole, st.st_size);
        if (data > pos) {
            copied += data - pos;
            if (options.onChunk && !options.onChunk(data - pos)) return ECANCELED;
        }
        if (hole > data) {
            long long part = 0;
            if (int rc = copier.copy(data, hole - data, part)) return rc;
            copied += part;
            if (part < hole - data) return 0;  // the file became shorter: checked later
        }
        pos = hole;
    }
    if (::ftruncate(out, st.st_size) != 0) return errno;
    return 0;
}

}  // namespace posixops
