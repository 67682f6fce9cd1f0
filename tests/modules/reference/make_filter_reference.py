#!/usr/bin/python3
"""Writes filter_reference.txt: filter-block responses computed independently of the C++ code.

Each section is designed as its analog prototype, moved to 192 kHz with scipy's bilinear
transform (pre-warped to the section's frequency by scaling the prototype), and the cascade is
evaluated with scipy.signal.sosfreqz on the 420-point grid. Run with Debian's python3 and
python3-scipy:

    /usr/bin/python3 tests/modules/reference/make_filter_reference.py

File format, one record per line, '#' starts a comment:
    case <name>
    hpf <bypass> <type> <slope> <freq>
    lpf <bypass> <type> <slope> <freq>
    count <band count as given to the graph>
    band <index> <bypass> <type> <freq> <gain> <q index>     (zero or more)
    db <420 values>
"""

import math
import os

import numpy as np
from scipy import signal

FS = 192000.0
GRID_SIZE = 420

Q_TABLE = [
    0.5, 0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89, 0.94, 1.0,
    1.06, 1.12, 1.19, 1.26, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9, 2.0, 2.1,
    2.2, 2.4, 2.5, 2.7, 2.8, 3.0, 3.2, 3.4, 3.6, 3.8, 4.0, 4.2, 4.5,
    4.8, 5.0, 5.3, 5.7, 6.0, 6.3, 6.7, 7.1, 7.6, 8.0, 8.5, 9.0, 9.5,
    10.1, 10.7, 11.3, 12.0, 12.7, 13.5, 14.0, 15.0, 16.0, 17.0, 18.0, 19.0, 20.0]
assert len(Q_TABLE) == 65

# dB/oct 6, 12, 18, 24, 36, 48
ORDERS = [1, 2, 3, 4, 6, 8]
SECTION_Q = {
    0: [[], [0.5773], [0.691], [0.5219, 0.8055], [0.5103, 0.6112, 1.0234],
        [0.506, 1.2258, 0.7109, 0.5596]],
    1: [[], [0.7071], [1.0], [0.5412, 1.3065], [0.5177, 0.7071, 1.932],
        [0.5098, 0.6013, 0.8999, 2.5628]],
    2: [[], [0.5], [0.6], [0.71, 0.71], [0.5, 1.0, 1.0], [0.54, 1.34, 0.54, 1.34]],
}


def f32(x):
    """The graph keeps frequencies, gains and band Qs as 32-bit floats."""
    return float(np.float32(x))


def grid():
    """1/36-octave points anchored at 1 kHz (point 239), three significant figures, with the four
    hand-rounded points near 100 Hz."""
    points = []
    for k in range(GRID_SIZE):
        v = 1000.0 * 2.0 ** ((k - 239) / 36.0)
        e = math.floor(math.log10(v))
        if e < 2:
            s = 10.0 ** (2 - e)
            points.append(math.floor(v * s + 0.5) / s)
        else:
            s = 10.0 ** (e - 2)
            points.append(math.floor(v / s + 0.5) * s)
    points[116:120] = [94.0, 95.0, 97.0, 99.0]
    return points


def digital(b_norm, a_norm, freq):
    """Analog prototype in s' = s / wa (coefficients highest power first), pre-warped so that
    s' = 1 lands on freq, as one normalised second-order row."""
    wa = 2.0 * FS * math.tan(math.pi * freq / FS)
    n = len(a_norm) - 1
    b = [c / wa ** (n - i) for i, c in enumerate(b_norm)]
    a = [c / wa ** (n - i) for i, c in enumerate(a_norm)]
    bz, az = signal.bilinear(b, a, fs=FS)
    bz = np.concatenate([bz / az[0], np.zeros(3 - len(bz))])
    az = np.concatenate([az / az[0], np.zeros(3 - len(az))])
    return np.concatenate([bz, az])


def pass_sections(bypass, ftype, slope, freq, high):
    freq = f32(freq)
    if bypass or freq == (20.0 if high else 20000.0):
        return []
    rows = []
    for q in SECTION_Q[ftype][slope]:
        if high:
            rows.append(digital([1.0, 0.0, 0.0], [1.0, 1.0 / q, 1.0], freq))
        else:
            rows.append(digital([0.0, 0.0, 1.0], [1.0, 1.0 / q, 1.0], freq))
    if ORDERS[slope] % 2 == 1:
        rows.append(digital([1.0, 0.0] if high else [0.0, 1.0], [1.0, 1.0], freq))
    return rows


def band_section(btype, freq, gain, q):
    A = 10.0 ** (gain / 40.0)
    r = math.sqrt(A) / q
    if btype == 0:
        return digital([1.0, A / q, 1.0], [1.0, 1.0 / (A * q), 1.0], freq)
    if btype == 1:
        return digital([A * 1.0, A * r, A * A], [A, r, 1.0], freq)
    return digital([A * A, A * r, A * 1.0], [1.0, r, A], freq)


def response(hpf, lpf, count, bands, omega):
    rows = pass_sections(*hpf, True) + pass_sections(*lpf, False)
    count = min(count, 16)
    for index, bypass, btype, freq, gain, qi in bands:
        if index >= count or bypass:
            continue
        q = f32(0.71) if btype in (1, 2) else f32(Q_TABLE[qi])
        rows.append(band_section(btype, f32(freq), f32(gain), q))
    if not rows:
        return np.zeros(len(omega))
    _, h = signal.sosfreqz(np.array(rows), worN=omega)
    return 20.0 * np.log10(np.abs(h))


def cases():
    off_h = (1, 0, 0, 20.0)
    off_l = (1, 0, 0, 20000.0)
    out = []
    # Every characteristic and slope of both pass filters; the low-pass runs the slopes
    # backwards so that each case pairs different orders.
    hp_freqs = [31.5, 80.0, 125.0, 250.0, 400.0, 1000.0]
    lp_freqs = [2000.0, 4500.0, 8000.0, 12500.0, 16000.0, 19000.0]
    for t in range(3):
        for s in range(6):
            out.append((f"pass_t{t}_hs{s}_ls{5 - s}", (0, t, s, hp_freqs[s]),
                        (0, t, 5 - s, lp_freqs[(s + t) % 6]), 8, []))
    out.append(("hpf_alone_lr24", (0, 2, 3, 1234.5), off_l, 8, []))
    out.append(("lpf_alone_bessel18", off_h, (0, 0, 2, 640.0), 8, []))
    out.append(("pass_off_at_limits", (0, 1, 5, 20.0), (0, 1, 5, 20000.0), 8, []))
    out.append(("pass_just_inside_limits", (0, 1, 5, 20.5), (0, 1, 5, 19999.0), 8, []))
    out.append(("pass_extremes", (0, 1, 5, 20000.0), (0, 0, 5, 20.5), 8, []))
    out.append(("all_bypassed", (1, 1, 5, 500.0), (1, 2, 4, 2000.0), 8,
                [(i, 1, i % 3, 100.0 * (i + 1), 12.0 - 3 * i, 10 * i % 65) for i in range(8)]))
    out.append(("peaking", off_h, off_l, 8,
                [(0, 0, 0, 100.0, 12.0, 0), (1, 0, 0, 1000.0, -9.5, 20),
                 (2, 0, 0, 6300.0, 3.0, 64), (3, 0, 0, 20.0, -15.0, 43),
                 (4, 0, 0, 20000.0, 15.0, 43), (5, 0, 0, 440.0, 0.0, 12)]))
    out.append(("shelves", off_h, off_l, 8,
                [(0, 0, 1, 120.0, 6.0, 5), (1, 0, 2, 8000.0, -10.5, 60),
                 (2, 0, 1, 20.0, 15.0, 64), (3, 0, 2, 20000.0, -15.0, 0),
                 (4, 0, 1, 2500.0, -4.25, 43), (5, 0, 2, 300.0, 7.75, 30)]))
    out.append(("shelf_q_index_ignored", off_h, off_l, 8,
                [(0, 0, 1, 250.0, 9.0, 0), (1, 0, 2, 4000.0, -6.0, 64)]))
    out.append(("count_limits_bands", off_h, off_l, 3,
                [(i, 0, 0, 200.0 * (i + 1), 10.0, 30) for i in range(8)]))
    out.append(("count_above_16", (0, 1, 1, 60.0), (0, 2, 3, 15000.0), 20,
                [(i, 0, i % 3, 25.0 * 1.5 ** i, (-1) ** i * (1.0 + i * 0.75), 4 * i)
                 for i in range(16)]))
    out.append(("editor_mix", (0, 1, 3, 80.0), (0, 2, 5, 12000.0), 8,
                [(0, 0, 1, 100.0, 4.0, 43), (1, 0, 0, 300.0, -6.0, 43),
                 (2, 1, 0, 500.0, 9.0, 43), (3, 0, 0, 800.0, 2.5, 10),
                 (4, 0, 0, 1000.0, -3.0, 50), (5, 0, 0, 3000.0, 5.5, 30),
                 (6, 0, 0, 5000.0, -12.0, 60), (7, 0, 2, 8000.0, 3.0, 43)]))
    out.append(("deep_cuts_everywhere", (0, 1, 5, 19000.0), (0, 1, 5, 25.0), 16,
                [(i, 0, 0, 20.0 * 1.55 ** i, -15.0, 0) for i in range(16)]))
    return out


def main():
    points = grid()
    omega = np.array([math.floor(10.0 * f + 0.5) * math.pi / 960000.0 for f in points])
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "filter_reference.txt"), "w") as out:
        out.write("# Generated by make_filter_reference.py (scipy %s); do not edit.\n"
                  % __import__("scipy").__version__)
        for name, hpf, lpf, count, bands in cases():
            db = response(hpf, lpf, count, bands, omega)
            out.write(f"case {name}\n")
            out.write("hpf %d %d %d %r\n" % hpf)
            out.write("lpf %d %d %d %r\n" % lpf)
            out.write(f"count {count}\n")
            for b in bands:
                out.write("band %d %d %d %r %r %d\n" % b)
            out.write("db " + " ".join("%.9f" % v for v in db) + "\n")


if __name__ == "__main__":
    main()
