// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/FileOperation.h"

class EngineUi;
class FileJobRunner;
class IFileSystem;

// The engine's ways out, through the program's seams: messages through
// MsgBox, jobs through platform().fileOperations, file queries through
// platform().fileSystem. Each call goes to the service installed at that
// moment (tests replace them).
EngineUi& platformEngineUi();
FileJobRunner& platformJobRunner();
IFileSystem& platformFileSystem();

// A file-operation engine on the program's seams.
TFileOperation platformFileOperation();
