"""The explosion as a person sees it: it plays by itself, grows and ends over the floor; Z restarts it, and
holding Z keeps it from showing."""

import time

from harness import Demo, Failure, Xvfb, run_cases, wait_until

STILL = 1.0        # mean channel difference under which two frames count as the same picture
VISIBLE = 0.02     # fraction of the view that must change for the explosion to count as showing


def launched(xvfb):
    demo = Demo(xvfb)
    return demo, demo.launch()


def floor_only(demo, window):
    """Holds Z until the picture is still: the floor alone, the explosion held at its start."""
    demo.key_down("z")
    return demo.still_shot(window, timeout=30, tolerance=STILL)


def record_until_still(demo, window, reference, timeout=90, quiet=1.0):
    """Screenshots until the view has been back to the reference for `quiet` seconds: a restart also
    shows the bare floor, for its first fifteen frames. Returns the changed fractions in order, the last
    screenshot and the moment the view went bare."""
    fractions = []
    bare_since = None
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        shot = demo.screenshot(window)
        now = time.monotonic()
        fraction = shot.changed_fraction(reference)
        fractions.append(fraction)
        if fraction >= 0.002 or max(fractions) <= VISIBLE:
            bare_since = None
        elif bare_since is None:
            bare_since = now
        elif now - bare_since >= quiet:
            return fractions, shot, bare_since
        time.sleep(0.02)
    raise Failure(f"explosion did not end; changed fractions {fractions[-5:]}")


def it_appears_grows_and_ends_with_only_the_floor():
    with Xvfb() as xvfb:
        demo, window = launched(xvfb)
        try:
            reference = floor_only(demo, window)
            demo.key_up("z")
            fractions, last, _ = record_until_still(demo, window, reference)
            peak = fractions.index(max(fractions))
            first_seen = next(i for i, f in enumerate(fractions) if f > 0.001)
            if max(fractions) < 0.05:
                raise Failure(f"explosion too small: {max(fractions):.3f}")
            if not (first_seen < peak and fractions[first_seen] < max(fractions) / 2):
                raise Failure(f"explosion did not grow: {[round(f, 3) for f in fractions]}")
            if last.difference(reference) > STILL:
                raise Failure("more than the floor is left at the end")
        finally:
            demo.stop()


def holding_z_keeps_it_from_showing():
    with Xvfb() as xvfb:
        demo, window = launched(xvfb)
        try:
            reference = floor_only(demo, window)
            started = time.monotonic()
            while time.monotonic() - started < 3:
                if demo.screenshot(window).changed_fraction(reference) > 0.002:
                    raise Failure("the explosion showed while Z was held")
            demo.key_up("z")
            wait_until(lambda: demo.screenshot(window).changed_fraction(reference) > VISIBLE, 30,
                       "the explosion after Z is released")
        finally:
            demo.stop()


def a_tap_of_z_restarts_it_mid_way():
    # Measured in wall time, so both explosions are timed the same way, one right after the other, from a
    # tap of Z until the floor is bare again, with screenshots taken all along: taking them slows the
    # frame rate, and so the explosion, by itself. A second tap well into the second one starts it over.
    with Xvfb() as xvfb:
        demo, window = launched(xvfb)
        try:
            reference = floor_only(demo, window)
            demo.key_up("z")
            record_until_still(demo, window, reference)

            demo.tap("z")
            began = time.monotonic()
            whole = record_until_still(demo, window, reference)[2] - began

            demo.tap("z")
            began = time.monotonic()
            while time.monotonic() - began < whole * 0.6:
                if demo.screenshot(window).changed_fraction(reference) < 0.002 and time.monotonic() - began > whole * 0.3:
                    raise Failure(f"the explosion was over {time.monotonic() - began:.1f}s after the second tap")
            demo.tap("z")
            restarted = record_until_still(demo, window, reference)[2] - began
            if restarted < whole * 1.25:
                raise Failure(f"a restarted explosion lasted {restarted:.1f}s, a whole one {whole:.1f}s")
        finally:
            demo.stop()


if __name__ == "__main__":
    run_cases(it_appears_grows_and_ends_with_only_the_floor,
              holding_z_keeps_it_from_showing,
              a_tap_of_z_restarts_it_mid_way)
