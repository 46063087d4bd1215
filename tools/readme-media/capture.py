"""Captures the README's pictures from the real demo in a private Xvfb: a still at the explosion's height
and an animated GIF of the whole first explosion. Usage: capture.py OUTDIR"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
from harness import Demo, Xvfb  # noqa: E402


def main(outdir):
    os.makedirs(outdir, exist_ok=True)
    with Xvfb() as xvfb:
        demo = Demo(xvfb)
        try:
            window = demo.launch()
            demo.key_down("z")
            time.sleep(1.0)
            floor = demo.screenshot(window)
            demo.key_up("z")
            shots = [floor]
            started = time.monotonic()
            while time.monotonic() - started < 30:
                shot = demo.screenshot(window)
                shots.append(shot)
                if len(shots) > 8 and shot.changed_fraction(floor) < 0.002:
                    break
            busiest = max(shots, key=lambda s: s.changed_fraction(floor))
            busiest.save_png(os.path.join(outdir, "explosion.png"))
            frames = []
            for i, shot in enumerate(shots):
                path = os.path.join(demo.tmp, f"frame{i:03d}.png")
                shot.save_png(path)
                frames.append(path)
            demo.run("/usr/bin/convert", "-delay", "8", "-loop", "0", *frames, "-resize", "50%", "-layers",
                     "Optimize", os.path.join(outdir, "explosion.gif"))
        finally:
            demo.stop()


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "docs")
