"""Image files: without any the demo still runs; a damaged one is reported and the demo runs on."""

import os

from harness import TITLE, Demo, Failure, Xvfb, floor_is_lit, run_cases, wait_until


def without_image_files_the_demo_still_runs():
    with Xvfb() as xvfb:
        demo = Demo(xvfb, images=[]).start()
        try:
            demo.answer_question(full_screen=False)
            window = demo.wait_window(TITLE)
            wait_until(lambda: floor_is_lit(demo.screenshot(window)), 20, "the floor")
            demo.check_alive()
            demo.press(window, "Escape")
            if demo.wait_exit() != 0:
                raise Failure("bad exit code")
        finally:
            demo.stop()


def a_damaged_tga_is_reported_and_the_demo_runs_on():
    with Xvfb() as xvfb:
        demo = Demo(xvfb)
        with open(os.path.join(demo.run_dir, "flare01.tga"), "r+b") as damaged:
            damaged.write(bytes([0, 0, 3]))  # a grey-scale type: not one the reader takes
        demo.start()
        try:
            demo.answer_question(full_screen=False)
            demo.answer_box("Invalid Image", "Return")
            window = demo.wait_window(TITLE)
            wait_until(lambda: floor_is_lit(demo.screenshot(window)), 20, "the floor")
            demo.check_alive()
        finally:
            demo.stop()


if __name__ == "__main__":
    run_cases(without_image_files_the_demo_still_runs, a_damaged_tga_is_reported_and_the_demo_runs_on)
