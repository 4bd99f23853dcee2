#!/usr/bin/env python3
"""Start of brisklet to its first shown window, median of 5 starts.

    bench/startup.py [BUILD_FOLDER] [--project FILE.dta] [--platform offscreen|xcb]

Each start gets a fresh temporary HOME. With --project the file is made the
last project (LastOpen on), so the start includes opening it in the window.
The window counts as shown when brisklet listens for later starts, which it
does right after the first showing and the reopening of the last project.
With --platform xcb a private Xvfb is started.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def one_start(app, project, env_base):
    home = tempfile.mkdtemp(prefix="brisklet-bench-")
    try:
        run = os.path.join(home, "run")
        os.makedirs(run, mode=0o700)
        env = dict(env_base, HOME=home, XDG_RUNTIME_DIR=run,
                   XDG_CONFIG_HOME=os.path.join(home, "config"))
        if project:
            settings = os.path.join(home, "config", "Norvane", "Brisklet")
            os.makedirs(settings)
            with open(os.path.join(settings, "brisklet.ini"), "w", encoding="utf-8") as ini:
                ini.write(f"[Environ]\r\nLastOpen=1\r\nDefFileName={project}\r\nTreeIndex=0\r\n")
        socket = os.path.join(run, "brisklet.socket")
        began = time.monotonic()
        proc = subprocess.Popen([app], env=env)
        while not os.path.exists(socket):
            if proc.poll() is not None:
                sys.exit(f"brisklet ended early with {proc.returncode}")
            time.sleep(0.002)
        elapsed = time.monotonic() - began
        proc.kill()
        proc.wait()
        return elapsed
    finally:
        shutil.rmtree(home, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--project")
    parser.add_argument("--platform", default="offscreen")
    parser.add_argument("--starts", type=int, default=5)
    args = parser.parse_args()
    app = os.path.join(os.path.abspath(args.build), "src", "app", "brisklet")
    env = dict(os.environ, QT_QPA_PLATFORM=args.platform)
    xvfb = None
    if args.platform == "xcb":
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                 "1280x900x24", "-nolisten", "tcp"], pass_fds=(write,))
        os.close(write)
        env["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
    try:
        project = os.path.abspath(args.project) if args.project else None
        if project and not os.path.isfile(project):
            sys.exit(f"no project file {project}")
        times = [one_start(app, project, env) for _ in range(args.starts)]
    finally:
        if xvfb:
            xvfb.kill()
            xvfb.wait()
    label = os.path.basename(project) if project else "no project"
    print(f"start to shown window ({label}, {args.platform}): median "
          f"{statistics.median(times):.3f} s, all " + " ".join(f"{t:.3f}" for t in times))


if __name__ == "__main__":
    main()
