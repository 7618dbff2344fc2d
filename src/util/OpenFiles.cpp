// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/OpenFiles.h"

#include <dirent.h>
#include <string>
#include <sys/stat.h>

bool openByAnyProcess(dev_t dev, ino_t ino) {
    DIR* proc = ::opendir("/proc");
    if (!proc) return true;  // cannot tell: keep it
    bool found = false;
    while (dirent* p = ::readdir(proc)) {
        if (p->d_name[0] < '0' || p->d_name[0] > '9') continue;
        const std::string fds = std::string("/proc/") + p->d_name + "/fd";
        DIR* d = ::opendir(fds.c_str());
        if (!d) continue;
        while (dirent* f = ::readdir(d)) {
            struct stat st {};
            if (f->d_name[0] != '.' && ::fstatat(::dirfd(d), f->d_name, &st, 0) == 0 &&
                st.st_dev == dev && st.st_ino == ino) {
                found = true;
                break;
            }
        }
        ::closedir(d);
        if (found) break;
    }
    ::closedir(proc);
    return found;
}
