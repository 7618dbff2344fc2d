// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A termination signal (a logout, a kill) asks the program to end: file
// operations in progress cancel at their next step, as a cancel in their
// progress dialog does, and new ones do nothing; long commands on the
// user-interface thread stop at their next step. Plain C++: the file engine
// checks it from its worker thread. requestTermination is safe in a signal
// handler.
void requestTermination();
bool terminationRequested();
// Forgets the request (tests that send themselves a termination signal).
void clearTerminationRequest();

// File operations now in progress; the file-operation service counts them
// with a FileOperationScope.
int fileOperationsInProgress();

class FileOperationScope {
public:
    FileOperationScope();
    ~FileOperationScope();
    FileOperationScope(const FileOperationScope&) = delete;
    FileOperationScope& operator=(const FileOperationScope&) = delete;
};
