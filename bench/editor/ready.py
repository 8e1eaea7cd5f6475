#!/usr/bin/env python3
"""Time until an editor shows a file and answers keys, under X.

usage: ready.py DISPLAY FILE -- COMMAND...   (FILE is appended to COMMAND)
Prints "seconds peakMiB", or "timeout".

The file's last line must be END_MARK followed by a line break. Queued
behind whatever the editor is still doing after it starts: go to the end,
type Z on the empty last line, select back over the line before and copy.
The clipboard holds END_MARK, a line break and Z only once the editor has
loaded the whole file and handled all of that.
"""
import os, subprocess, sys, time

END_MARK = b"END-OF-FILE-MARK"

def sh(args, **kw):
    return subprocess.run(args, capture_output=True, **kw)

def window_of(pid, env):
    r = sh(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], env=env)
    best = None
    for w in r.stdout.split():
        g = sh(["xdotool", "getwindowgeometry", w], env=env).stdout.decode()
        if "Geometry:" in g:
            wh = g.split("Geometry:")[1].split()[0].split("x")
            area = int(wh[0]) * int(wh[1])
            if best is None or area > best[0]:
                best = (area, w.decode())
    return best[1] if best else None

def peak_kib(pid):
    try:
        for line in open(f"/proc/{pid}/status"):
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0

def main():
    display, path = sys.argv[1], sys.argv[2]
    cmd = sys.argv[sys.argv.index("--") + 1:] + [path]
    env = dict(os.environ, DISPLAY=display)
    sh(["xclip", "-selection", "clipboard", "/dev/null"], env=env)
    t0 = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    win = None
    while win is None and time.monotonic() - t0 < 300 and proc.poll() is None:
        win = window_of(proc.pid, env)
        if win is None:
            time.sleep(0.02)
    if win is None:
        print("timeout")
        proc.kill()
        return
    sh(["xdotool", "windowfocus", "--sync", win], env=env)
    sh(["xdotool", "key", "ctrl+End"], env=env)
    sh(["xdotool", "type", "Z"], env=env)
    sh(["xdotool", "key", "shift+Up", "shift+Home", "ctrl+c"], env=env)
    want = END_MARK + b"\nZ"
    peak = 0
    answered = None
    while time.monotonic() - t0 < 600 and proc.poll() is None:
        r = sh(["xclip", "-o", "-selection", "clipboard"], env=env, timeout=600)
        peak = max(peak, peak_kib(proc.pid))
        if r.returncode == 0 and r.stdout.replace(b"\r", b"").strip() == want:
            answered = time.monotonic()
            break
        time.sleep(0.02)
    peak = max(peak, peak_kib(proc.pid))
    proc.kill()
    proc.wait()
    print(f"{answered - t0:.2f} {peak / 1024:.0f}" if answered else "timeout")

main()
