// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Marks a hand-over between threads that ThreadSanitizer cannot see by itself:
// one through code not built with it, such as a blocking queued call of Qt,
// which waits on a futex inside libQt6Core. handOver(token) on the giving
// thread after its last access, tookOver(token) on the taking thread before
// its first. Nothing in other builds.

#if defined(__SANITIZE_THREAD__)
#define DORVAN_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define DORVAN_THREAD_SANITIZER 1
#endif
#endif

#ifdef DORVAN_THREAD_SANITIZER
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
inline void handOver(const void* token) { __tsan_release(const_cast<void*>(token)); }
inline void tookOver(const void* token) { __tsan_acquire(const_cast<void*>(token)); }
#else
inline void handOver(const void*) {}
inline void tookOver(const void*) {}
#endif
