// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/Termination.h"

#include <atomic>

namespace {
std::atomic<bool> terminating{false};
std::atomic<int> operations{0};
// Set from a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

void requestTermination() { terminating = true; }
bool terminationRequested() { return terminating; }
void clearTerminationRequest() { terminating = false; }
int fileOperationsInProgress() { return operations; }
FileOperationScope::FileOperationScope() { ++operations; }
FileOperationScope::~FileOperationScope() { --operations; }
