"""Finds the silences in a recording of the tone book.

Reads raw signed 16-bit little-endian mono samples (as parec records them) and the layout that
tone_book.py printed. The tone is present over every period between two upward zero crossings
that is as long as one period of it and loud enough; the period's loudness tells which file it
comes from (each file has a level of its own). From the tone's first sustained appearance to the
end of the book's last file, every run of more than the limit without the tone is reported with
the files on either side, then every change of file with the silence found there. Opening the
book, the player announces it with its first clip and then reads from the start: the step from
that announcement to the reading is reported too. Where the player plays heading sounds between
two files (the layout gives their length), the silence it added there is the time without the
tone less the sounds' length. Sounds heard over the tone can make a file's level misread. A run is
measured from the last whole period before it to the first whole period after it, so a run that
does not start and end at a zero crossing reads up to two periods (4.5 ms) long.

Usage: find_gaps.py RECORDING.raw LAYOUT.json RECORDING_RATE [LIMIT_MS]"""

import json
import statistics
import struct
import sys

SUSTAINED = 20  # periods in a row that count as the tone's first appearance


def tone_periods(samples, rate, hertz, threshold=500):
    """(start, end, peak) of every period of the tone."""
    period = rate / hertz
    low, high = period * 0.94, period * 1.06
    # A crossing also where the tone stops or starts at zero, next to silence; one of a pair
    # of neighbouring crossings around an exact zero in the tone is dropped.
    crossings = []
    for i in range(1, len(samples)):
        before, now = samples[i - 1], samples[i]
        if (before < 0 <= now or before <= 0 < now) and (
                not crossings or i - crossings[-1] > period / 4):
            crossings.append(i)
    periods = []
    for a, b in zip(crossings, crossings[1:]):
        if low <= b - a <= high:
            peak = max(abs(s) for s in samples[a:b])
            if peak >= threshold:
                periods.append((a, b, peak))
    return periods


def first_sustained(periods):
    for i in range(len(periods) - SUSTAINED):
        if all(periods[j + 1][0] == periods[j][1] for j in range(i, i + SUSTAINED)):
            return i
    return None


def silent_ms(samples, start, end, rate, quiet=64):
    """The longest run of near-zero samples in start .. end, in milliseconds."""
    longest = run = 0
    for x in samples[start:end]:
        run = run + 1 if -quiet < x < quiet else 0
        longest = max(longest, run)
    return longest * 1000.0 / rate


def file_of(peak, scale, levels):
    return min(range(len(levels)), key=lambda k: abs(peak / scale - levels[k]))


def main():
    recording, layout_path, rate = sys.argv[1], sys.argv[2], int(sys.argv[3])
    limit_ms = float(sys.argv[4]) if len(sys.argv) > 4 else 5.0
    layout = json.load(open(layout_path))
    files = layout["files"]
    levels = [f["level"] for f in files]
    data = open(recording, "rb").read()
    samples = struct.unpack(f"<{len(data) // 2}h", data[: len(data) // 2 * 2])
    periods = tone_periods(samples, rate, layout["hertz"])
    start = first_sustained(periods)
    if start is None:
        print("find-gaps: no tone was recorded")
        return
    # The book starts with its first file: its level calibrates the others.
    scale = statistics.median(p[2] for p in periods[start:start + SUSTAINED]) / levels[0]
    heard = [0.0] * len(files)
    at_change = {}
    last_file = 0
    prev = periods[start]
    origin = prev[0]
    for a, b, peak in periods[start:]:
        k = file_of(peak, scale, levels)
        if last_file == len(files) - 1 and k < last_file:
            break  # the book begins again
        gap_ms = (a - prev[1]) * 1000.0 / rate
        announced = k == last_file == 0 and abs(heard[0] - layout["announcement"]) < 0.3
        sounds_ms = 1000.0 * (layout.get("announcement_sounds", 0.0) if announced
                              else files[k].get("sounds", 0.0) if k != last_file else 0.0)
        if announced and gap_ms > limit_ms:
            # The book's first clip was its announcement; the reading starts the file again.
            at_change[-1] = max(gap_ms - sounds_ms, 0.0)
        if gap_ms > limit_ms:
            where = (f"{files[last_file]['name']} -> {files[k]['name']}" if k != last_file
                     else "announcement -> reading" if announced
                     else f"inside {files[k]['name']}")
            quiet = silent_ms(samples, prev[1], a, rate)
            sounds = f", {sounds_ms:.1f} ms heading sounds" if sounds_ms else ""
            print(f"{gap_ms:8.1f} ms without the tone (longest silence {quiet:.1f} ms{sounds}) "
                  f"at {(prev[1] - origin) / rate:7.3f} s: {where}")
        if k != last_file:
            at_change[k] = max(gap_ms - sounds_ms, 0.0) if gap_ms > limit_ms else 0.0
            if k != last_file + 1:
                print(f"    (the reading went from {files[last_file]['name']} to "
                      f"{files[k]['name']})")
        heard[k] += (b - a) / rate
        last_file = k
        prev = (a, b, peak)
    print("change of file                                 silence added (sounds not counted)")
    print(f"  {'announcement to the reading (01.wav again)':<44} {at_change.get(-1, 0.0):6.1f} ms")
    for k, f in enumerate(files):
        if f["change"] is None:
            continue
        figure = f"{at_change[k]:6.1f} ms" if k in at_change else "  not reached"
        print(f"  {f['change'] + ' (' + f['name'] + ')':<44} {figure}")
    print("tone heard of each file: " + ", ".join(
        f"{f['name']} {heard[k]:.3f}/{f['seconds']:.3f} s" for k, f in enumerate(files)))


if __name__ == "__main__":
    main()
