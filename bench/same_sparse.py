#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Exits 0 when two files hold the same bytes, reading only where either has
data (SEEK_DATA/SEEK_HOLE): a hole in both reads as zeros in both.
   same_sparse.py FILE FILE"""
import os, sys


def data_extents(fd, size):
    pos = 0
    while pos < size:
        try:
            start = os.lseek(fd, pos, os.SEEK_DATA)
        except OSError:
            return
        end = min(os.lseek(fd, start, os.SEEK_HOLE), size)
        yield start, end
        pos = end


def main(a, b):
    fa, fb = os.open(a, os.O_RDONLY), os.open(b, os.O_RDONLY)
    size = os.fstat(fa).st_size
    if os.fstat(fb).st_size != size:
        return 1
    extents = sorted(list(data_extents(fa, size)) + list(data_extents(fb, size)))
    for start, end in extents:
        while start < end:
            n = min(end - start, 1 << 20)
            if os.pread(fa, n, start) != os.pread(fb, n, start):
                return 1
            start += n
    return 0


sys.exit(main(sys.argv[1], sys.argv[2]))
