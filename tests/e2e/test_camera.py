"""The mouse camera: a left drag turns the view, a right drag moves it nearer."""

from harness import Demo, Failure, Xvfb, run_cases


def lit_fraction(shot):
    lit = 0
    total = 0
    for y in range(0, shot.height, 4):
        for x in range(0, shot.width, 4):
            total += 1
            if sum(shot.pixel(x, y)) > 45:
                lit += 1
    return lit / total


def settled_demo(xvfb):
    demo = Demo(xvfb)
    window = demo.launch()
    demo.key_down("z")  # hold the explosion back, so only the camera changes the picture
    return demo, window


def a_left_drag_turns_the_view():
    with Xvfb() as xvfb:
        demo, window = settled_demo(xvfb)
        try:
            before = demo.still_shot(window)
            demo.drag(window, 1, (400, 300), (520, 300))
            after = demo.still_shot(window)
            if after.changed_fraction(before) < 0.1:
                raise Failure("the view did not turn")
            # A turn about the vertical axis keeps the floor's area roughly the same.
            if abs(lit_fraction(after) - lit_fraction(before)) > 0.5 * lit_fraction(before):
                raise Failure("the floor changed size instead of turning")
        finally:
            demo.stop()


def a_right_drag_down_moves_the_view_nearer():
    with Xvfb() as xvfb:
        demo, window = settled_demo(xvfb)
        try:
            before = demo.still_shot(window)
            demo.drag(window, 3, (400, 250), (400, 300))
            after = demo.still_shot(window)
            if lit_fraction(after) < lit_fraction(before) * 1.1:
                raise Failure(f"floor did not grow: {lit_fraction(before):.3f} -> {lit_fraction(after):.3f}")
        finally:
            demo.stop()


if __name__ == "__main__":
    run_cases(a_left_drag_turns_the_view, a_right_drag_down_moves_the_view_nearer)
