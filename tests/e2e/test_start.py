"""Starting and ending the demo: the full-screen question, the window, Escape and the close button."""

from harness import TITLE, Demo, Failure, Xvfb, floor_is_lit, run_cases, wait_until


def started(xvfb, full_screen):
    demo = Demo(xvfb).start()
    demo.answer_question(full_screen)
    return demo, demo.wait_window(TITLE)


def answering_no_gives_an_800_by_600_window_with_the_title():
    with Xvfb("1024x768") as xvfb:
        demo, window = started(xvfb, full_screen=False)
        try:
            if (window.width, window.height) != (800, 600):
                raise Failure(f"window is {window.width}x{window.height}")
            if (window.x, window.y) != (0, 0):
                raise Failure(f"window is at {window.x},{window.y}")
            shot = wait_until(lambda: (lambda s: s if floor_is_lit(s) else None)(demo.screenshot(window)), 20,
                              "the floor")
            top = shot.region_mean(0, 0, 800, 60)
            if sum(top) > 30:
                raise Failure(f"sky is not black: {top}")
        finally:
            demo.stop()


def answering_yes_gives_a_window_of_the_screen_size():
    with Xvfb("1024x768") as xvfb:
        demo, window = started(xvfb, full_screen=True)
        try:
            if (window.width, window.height, window.x, window.y) != (1024, 768, 0, 0):
                raise Failure(f"full-screen window is {window}")
            wait_until(lambda: floor_is_lit(demo.screenshot(window)), 20, "the floor")
        finally:
            demo.stop()


def escape_ends_the_demo_with_exit_code_0():
    with Xvfb() as xvfb:
        demo, window = started(xvfb, full_screen=False)
        try:
            demo.press(window, "Escape")
            code = demo.wait_exit()
            if code != 0:
                raise Failure(f"exit code {code}: {demo.output()}")
        finally:
            demo.stop()


def the_close_button_ends_the_demo_with_exit_code_0():
    with Xvfb() as xvfb:
        demo, window = started(xvfb, full_screen=False)
        try:
            demo.close_window(window)
            code = demo.wait_exit()
            if code != 0:
                raise Failure(f"exit code {code}: {demo.output()}")
        finally:
            demo.stop()


if __name__ == "__main__":
    run_cases(answering_no_gives_an_800_by_600_window_with_the_title,
              answering_yes_gives_a_window_of_the_screen_size,
              escape_ends_the_demo_with_exit_code_0,
              the_close_button_ends_the_demo_with_exit_code_0)
