# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs one journey by name: python3 run.py NAME (list: python3 run.py --list).
Exit 0 passed, 1 failed, 77 skipped. A journey marked expected_failure
passes when it fails and fails when it passes."""
import os
import sys
import traceback

import journey
import journeys


def main(argv):
    if len(argv) < 2 or argv[1] == "--list":
        print("\n".join(journeys.JOURNEYS))
        return 0
    name = argv[1]
    func = journeys.JOURNEYS[name]
    try:
        os.setsid()  # a group of our own: stop() ends what the helpers leave
    except PermissionError:
        pass
    journey.become_subreaper()
    j = None
    failure = None
    try:
        j = journey.Journey(name)
        func(j)
    except journey.Skip as e:
        print(f"skipped: {e}")
        return journey.SKIP
    except Exception:
        failure = traceback.format_exc()
        if j is not None:
            shot = os.path.abspath(f"journey-{name}-failure.png")
            j.screenshot(shot)
            failure += f"screen at the failure: {shot}\n"
    finally:
        if j is not None:
            j.stop()
    reason = getattr(func, "expected_failure", None)
    if reason:
        if failure:
            print(failure)
            print(f"failed as expected: {reason}")
            return 0
        print(f"passed, but is marked as failing until a fix lands ({reason}): remove the mark")
        return 1
    if failure:
        print(failure)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
