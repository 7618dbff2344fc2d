#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Builds a tree of N empty files for the search benchmark: groups of 100
files, each group a folder with 90 files and 10 subfolders of one file each
(one file in ten under a folder of its own), 100 groups to a parent folder.
One file in a hundred ends in ".mp3", the rest in ".dat"."""
import os, sys

root, count = sys.argv[1], int(sys.argv[2])
os.makedirs(root)
made = 0
group = 0
while made < count:
    parent = os.path.join(root, "p%04d" % (group // 100))
    if group % 100 == 0:
        os.mkdir(parent)
    folder = os.path.join(parent, "Group %05d" % group)
    os.mkdir(folder)
    for i in range(min(100, count - made)):
        ext = ".mp3" if i == 42 else ".dat"
        if i < 90:
            path = os.path.join(folder, "File_%07d%s" % (made, ext))
        else:
            sub = os.path.join(folder, "sub%d" % (i - 90))
            os.mkdir(sub)
            path = os.path.join(sub, "file_%07d%s" % (made, ext))
        os.close(os.open(path, os.O_CREAT | os.O_WRONLY, 0o644))
        made += 1
    group += 1
