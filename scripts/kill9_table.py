#!/usr/bin/env python3
"""Kills the real brisklet with SIGKILL at random moments while a person types
items and saves, and checks after each kill what a crash may leave:

  - the project file is old or new and byte-exact: it reads, the project
    file writer gives it back byte for byte, and it holds the items of one
    of the saves (or of the start);
  - no item typed more than 30 s before the kill is lost: the recovery copy
    (when newer than the project file) or the project file holds it;
  - the recovery copy is readable by its owner alone;
  - the next start offers the copy when it is newer, and Yes then saving
    writes exactly its items into the project file.

Too slow for CI (about 40 s a run); run it by hand on a build:

    scripts/kill9_table.py [--build build] [--runs 50] [--seed 1]

Needs Xvfb and xdotool. Prints one line a run and a summary; exits 1 when a
run broke a rule.
"""
import argparse
import os
import random
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
import xml.etree.ElementTree as ET

NS = "{http://purl.org/rss/1.0/}"
KEY_DELAY_MS = 20  # a quick typist, no pause between keys

PROJECT = """<?xml version="1.0" encoding="UTF-8"?>
<brisklet xmlns="http://purl.org/rss/1.0/">
  <project>
    <node flag="2" disp="news">
      <filename>site</filename>
      <title>Site</title>
      <link>http://example.com/</link>
      <description><![CDATA[About]]></description>
      <ver>1</ver>
      <localfolder>{home}</localfolder>
    </node>
  </project>
</brisklet>
"""


class Desktop:
    def __init__(self, build):
        self.app_path = os.path.join(build, "src/app/brisklet")
        self.cli_path = os.path.join(build, "src/cli/brisklet-cli")
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.display = ":" + self.xvfb.stdout.readline().decode().strip()

    def close(self):
        self.xvfb.kill()
        self.xvfb.wait()

    def xdo(self, *args):
        env = dict(os.environ, DISPLAY=self.display)
        done = subprocess.run(["xdotool", *args], env=env, capture_output=True, timeout=20)
        return done.returncode == 0, done.stdout.decode().strip()

    def windows(self, name):
        ok, out = self.xdo("search", "--onlyvisible", "--name", name)
        return [int(w) for w in out.split()] if ok and out else []


class Run:
    def __init__(self, desktop, number, rng):
        self.d = desktop
        self.n = number
        self.rng = rng
        self.home = tempfile.mkdtemp(prefix="kill9-")
        self.project = os.path.join(self.home, "news.dta")
        self.settings = os.path.join(self.home, "config/Norvane/Brisklet")
        self.copy = os.path.join(self.settings, "brisklet_recovery.dta")
        self.runtime = os.path.join(self.home, "run")
        self.typed = []  # (title, time the row was left)
        self.save_points = [0]  # items typed when each save was asked for
        self.app = None
        self.box_up = False
        self.shots = None

    def env(self):
        return dict(os.environ, HOME=self.home, XDG_RUNTIME_DIR=self.runtime,
                    XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                    XDG_DATA_HOME=os.path.join(self.home, "share"),
                    QT_QPA_PLATFORM="xcb", DISPLAY=self.d.display, QT_STYLE_OVERRIDE="Fusion")

    def prepare(self):
        os.makedirs(self.runtime, mode=0o700)
        os.makedirs(self.settings)
        hand = os.path.join(self.home, "hand.dta")
        with open(hand, "w", encoding="utf-8") as f:
            f.write(PROJECT.format(home=self.home))
        # The writer's own bytes, so that "byte-exact" means something.
        subprocess.run([self.d.cli_path, "save", hand, self.project], check=True,
                       capture_output=True)
        with open(os.path.join(self.settings, "brisklet.ini"), "w") as f:
            f.write(f"[Environ]\r\nLastOpen=1\r\nDefFileName={self.project}\r\nTreeIndex=1\r\n")

    def start(self):
        socket = os.path.join(self.runtime, "brisklet.socket")
        if os.path.exists(socket):
            os.remove(socket)
        self.log = open(os.path.join(self.home, f"stderr-{time.monotonic():.0f}.txt"), "wb")
        self.app = subprocess.Popen([self.d.app_path], env=self.env(),
                                    stdout=subprocess.DEVNULL, stderr=self.log)

    def wait_for(self, test, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if test():
                return True
            time.sleep(0.2)
        return False

    def focus_window(self):
        ok, _ = self.d.xdo("search", "--sync", "--onlyvisible", "--name", r"\[news\]",
                           "windowfocus", "--sync")
        return ok

    def type_and_save(self, kill_after):
        """Types items and saves now and then until the kill, which comes at
        kill_after seconds from another thread, wherever the typing is."""
        killed_at = []

        def kill():
            # A message box up then would have eaten the keys typed since.
            self.box_up = bool(self.d.windows("^Brisklet$"))
            if self.box_up and self.shots:
                subprocess.run(["import", "-display", self.d.display, "-window", "root",
                                os.path.join(self.shots, f"box-{self.n:02d}.png")])
            killed_at.append(time.monotonic())
            self.app.send_signal(signal.SIGKILL)

        timer = threading.Timer(kill_after, kill)
        timer.start()
        self.d.xdo("key", "Tab", "Tab")  # from the tree into the grid
        n = 0
        while not killed_at and n < 95:
            title = f"k9-{self.n:02d}-{n:03d}"
            self.d.xdo("type", "--delay", str(KEY_DELAY_MS), title)
            self.d.xdo("key", "--delay", str(KEY_DELAY_MS), "Return", "Down")
            if killed_at:
                break  # whether that row was left is not known
            self.typed.append((title, time.monotonic()))
            n += 1
            # Saves now and then, and a pause now and then, long enough
            # for a copy after the last edit.
            if self.rng.random() < 0.05:
                self.save_points.append(len(self.typed))
                self.d.xdo("key", "ctrl+s")
            pause = 4 if self.rng.random() < 0.08 else self.rng.uniform(0, 1.0)
            time.sleep(pause)
        timer.join()
        self.app.wait()
        return killed_at[0]


def titles(path):
    root = ET.parse(path).getroot()
    return [t.text for t in root.iter(NS + "title") if t.text and t.text.startswith("k9-")]


def byte_exact(cli, path, drop_note=False):
    with open(path, "rb") as f:
        data = f.read()
    if drop_note:
        first = data.index(b"\r\n") + 2
        data = data[:first] + data[data.index(b"\r\n", first) + 2:]
    with tempfile.TemporaryDirectory() as tmp:
        inp, out = os.path.join(tmp, "in.dta"), os.path.join(tmp, "out.dta")
        with open(inp, "wb") as f:
            f.write(data)
        if subprocess.run([cli, "save", inp, out], capture_output=True).returncode != 0:
            return False
        with open(out, "rb") as f:
            return f.read() == data


def check(run, kill_time):
    typed = [t for t, _ in run.typed]
    problems = []
    if not byte_exact(run.d.cli_path, run.project):
        problems.append("project file not byte-exact")
    in_project = titles(run.project)
    if in_project not in [typed[:k] for k in run.save_points]:
        problems.append("project file matches no save")
    copy_newer = os.path.exists(run.copy) and \
        os.path.getmtime(run.copy) > os.path.getmtime(run.project)
    if os.path.exists(run.copy):
        if stat.S_IMODE(os.stat(run.copy).st_mode) != 0o600:
            problems.append("copy not 0600")
        if not byte_exact(run.d.cli_path, run.copy, drop_note=True):
            problems.append("copy not byte-exact")
    kept = titles(run.copy) if copy_newer else in_project
    old = [t for t, at in run.typed if kill_time - at > 30]
    lost_old = [t for t in old if t not in kept]
    lost_young = [t for t in typed if t not in kept and t not in old]
    if lost_old:
        problems.append(f"lost {len(lost_old)} items older than 30 s")
    return problems, in_project, kept, copy_newer, lost_young


def restart_and_save(run, expected, copy_newer):
    """Starts again: Yes to the offered copy, then saving must write it."""
    run.start()
    asked = False

    def settled():
        nonlocal asked
        boxes = run.d.windows("^Brisklet$")
        if len(boxes) == 2:
            asked = True
            run.d.xdo("windowfocus", "--sync", str(max(boxes)), "key", "y")
            return False
        return bool(run.d.windows(r"\[news\]"))

    if not run.wait_for(settled, 30):
        if run.shots:
            subprocess.run(["import", "-display", run.d.display, "-window", "root",
                            os.path.join(run.shots, f"restart-{run.n:02d}.png")])
        ended = run.app.poll()
        run.app.kill()
        run.app.wait()
        if run.shots:
            shutil.copy(run.log.name, os.path.join(run.shots, f"restart-{run.n:02d}.txt"))
        run.log.flush()
        with open(run.log.name, "rb") as log:
            if b"could not connect to display" in log.read():
                # Other X servers on a shared machine can take the display's
                # socket away; the program never got as far as its own code.
                return ["X server unreachable at the restart"]
        return ["no window after the restart" +
                (f" (the program ended with {ended})" if ended is not None else "")]
    problems = []
    if asked != copy_newer:
        problems.append(f"restore {'asked' if asked else 'not asked'}")
    if asked:
        run.focus_window()
        run.d.xdo("key", "ctrl+s")
        if not run.wait_for(lambda: not os.path.exists(run.copy), 20):
            problems.append("saving kept the copy")
        elif titles(run.project) != expected:
            problems.append("saved project differs from the copy")
    run.app.kill()
    run.app.wait()
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=50)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--longest", type=float, default=60, help="latest kill, s")
    parser.add_argument("--shots", help="folder for a picture of a message box up at a kill")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    desktop = Desktop(args.build)
    failed = 0
    print(f"{'run':>3} {'kill s':>6} {'typed':>5} {'saves':>5} {'file':>4} {'copy':>5} "
          f"{'kept':>4} {'lost<30s':>8} {'restore':>7}  result")
    try:
        for n in range(1, args.runs + 1):
            run = Run(desktop, n, rng)
            run.shots = args.shots
            run.prepare()
            run.start()
            if not run.wait_for(lambda: run.d.windows(r"\[news\]"), 30) or not run.focus_window():
                print(f"{n:>3} the window did not come up")
                failed += 1
                continue
            began = time.monotonic()
            kill_time = run.type_and_save(rng.uniform(5, args.longest))
            problems, in_file, kept, copy_newer, lost_young = check(run, kill_time)
            problems += restart_and_save(run, kept, copy_newer)
            failed += bool(problems)
            print(f"{n:>3} {kill_time - began:>6.1f} {len(run.typed):>5} "
                  f"{len(run.save_points) - 1:>5} {len(in_file):>4} "
                  f"{'newer' if copy_newer else '-':>5} {len(kept):>4} {len(lost_young):>8} "
                  f"{'yes' if copy_newer else '-':>7}  {'; '.join(problems) or 'ok'}"
                  f"{' (a message box was up)' if run.box_up else ''}",
                  flush=True)
            shutil.rmtree(run.home, ignore_errors=True)
    finally:
        desktop.close()
    print(f"{args.runs - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
