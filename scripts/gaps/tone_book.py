"""Writes the tone book for scripts/measure-gaps and a data folder that reads it aloud.

One 300 Hz sine (below every interface sound, so that a heading sound is not taken for it), unbroken from the first sample to the last, is cut into contiguous clips and
spread over several audio files: the title heading, headings of one file each and a
heading whose clips lie in two files. Whatever silence a recording of the reading holds between
the tone's first and last sound was therefore put there by the player.

Usage: tone_book.py BOOK_FOLDER DATA_FOLDER [--heading-sounds]
Prints the layout as JSON: the sample rate, the tone's frequency, the length of the heading sounds
heard before the reading starts and, for every file in reading order, its name, level, length,
the kind of change of file that leads into it and the length of the heading sounds heard there."""

import json
import math
import re
import struct
import sys
import wave
from pathlib import Path

RATE = 44100
HERTZ = 300.0
# Each file has a level of its own, so that the recording tells which file is heard.
LEVELS = [0.25, 0.35, 0.45, 0.55, 0.65, 0.75]
CLIP_SECONDS = 1.0
# Headings in reading order: (title, [clips per file]). The first is the book's title.
HEADINGS = [("Title", [2]),
            ("One", [3]),
            ("Two, in two files", [2, 2]),
            ("Three", [2]),
            ("Four", [2])]

ROOT = Path(__file__).resolve().parents[2]


def tone_samples(start, count, level):
    """Samples start .. start + count of the one sine, so that the files join without a seam."""
    step = 2 * math.pi * HERTZ / RATE
    scale = level * 32767
    return [int(round(scale * math.sin(step * n))) for n in range(start, start + count)]


def write_wav(path, samples):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack(f"<{len(samples)}h", *samples))


def seconds_text(seconds):
    return f"{seconds:.3f}"


def smil(heading, files):
    pars = []
    for audio, clips, first_clip in files:
        for k in range(clips):
            pid = f"h{heading}c{first_clip + k}"
            pars += [f'<par endsync="last" id="{pid}">',
                     f'<text src="text.html#t{pid}" id="x{pid}"/>',
                     f'<audio src="{audio}" clip-begin="npt={seconds_text(k * CLIP_SECONDS)}s" '
                     f'clip-end="npt={seconds_text((k + 1) * CLIP_SECONDS)}s" id="a{pid}"/>',
                     "</par>"]
    return "\n".join(['<?xml version="1.0" encoding="utf-8"?>', "<smil>", "<head>",
                      '<meta name="dc:format" content="Daisy 2.02"/>', "</head>", "<body>",
                      "<seq>", *pars, "</seq>", "</body>", "</smil>", ""])


def ncc(total_seconds):
    whole = int(round(total_seconds))
    meta = {"dc:title": "Tone book", "dc:identifier": "orbis-tone-book", "dc:date": "2026-12-08",
            "dc:format": "Daisy 2.02", "ncc:charset": "utf-8", "ncc:setInfo": "1 of 1",
            "ncc:tocItems": str(len(HEADINGS)),
            "ncc:totalTime": f"{whole // 3600:02d}:{whole // 60 % 60:02d}:{whole % 60:02d}",
            "ncc:multimediaType": "audioFullText"}
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<html>", "<head>",
             "<title>Tone book</title>"]
    lines += [f'<meta name="{k}" content="{v}"/>' for k, v in meta.items()]
    lines += ["</head>", "<body>"]
    for i, (title, _) in enumerate(HEADINGS):
        cls = ' class="title"' if i == 0 else ""
        lines.append(f'<h1{cls} id="n{i}"><a href="s{i:02d}.smil#xh{i}c0">{title}</a></h1>')
    lines += ["</body>", "</html>", ""]
    return "\n".join(lines)


def text_document():
    paragraphs = []
    for i, (title, files) in enumerate(HEADINGS):
        for c in range(sum(files)):
            paragraphs.append(f'<p id="th{i}c{c}">{title}, clip {c + 1}</p>')
    return "\n".join(['<?xml version="1.0" encoding="utf-8"?>', "<html>", "<head>",
                      "<title>Tone book</title>", "</head>", "<body>", *paragraphs,
                      "</body>", "</html>", ""])


def scrambler():
    """The value scrambler of the program's .dl files, from the program's own two tables."""
    source = (ROOT / "src/settings/Enigma.cpp").read_text(encoding="utf-8")
    table_a, table_b = re.findall(r'R"enigma\((.*?)\)enigma"', source)
    size = len(table_a)

    def scramble(value):
        out = []
        for step, ch in enumerate(value):
            pos = table_a.find(ch)
            out.append(ch if pos < 0 else table_b[(pos - 2 * step) % size])
        return "".join(out)
    return scramble


def heading_sound_seconds():
    """The length of the sound that marks a heading of the tone book (all are of level 1)."""
    with wave.open(str(ROOT / "res/program/UISounds/Level1.wav"), "rb") as sound:
        return sound.getnframes() / sound.getframerate()


def write_settings(data_folder, heading_sounds):
    """Automatic playback on; no drive search or update check in the way, and the heading
    sounds only when asked for (they are heard between the headings, instead of the tone)."""
    sounds = "1" if heading_sounds else "0"
    lines = ["100", "1.000000", "0", "0", "0", "0", "1", "1", "#ff8000", "0", "0", "0",
             "#ff8000", "1", "0", sounds, "0", "0", sounds, "0", "1", "", "0"]
    folder = Path(data_folder) / "Orbis Velora"
    folder.mkdir(parents=True, exist_ok=True)
    scramble = scrambler()
    (folder / "Settings.dl").write_bytes(
        "".join(scramble(line) + "\r\n" for line in lines).encode("utf-8"))


def main():
    book, data = Path(sys.argv[1]), sys.argv[2]
    heading_sounds = len(sys.argv) > 3 and sys.argv[3] == "--heading-sounds"
    book.mkdir(parents=True, exist_ok=True)
    clip_samples = int(RATE * CLIP_SECONDS)
    sound = heading_sound_seconds() if heading_sounds else 0.0
    sample = 0
    layout = []
    for i, (_, clip_counts) in enumerate(HEADINGS):
        files = []
        for part, clips in enumerate(clip_counts):
            name = f"{len(layout) + 1:02d}.wav"
            level = LEVELS[len(layout)]
            change = None if sample == 0 else "next file in the heading" if part > 0 else (
                "title heading to first heading" if i == 1 else "next heading")
            write_wav(book / name, tone_samples(sample, clips * clip_samples, level))
            layout.append({"name": name, "level": level, "seconds": clips * CLIP_SECONDS,
                           "change": change, "sounds": sound if part == 0 else 0.0})
            files.append((name, clips, sum(clip_counts[:part])))
            sample += clips * clip_samples
        (book / f"s{i:02d}.smil").write_text(smil(i, files), encoding="utf-8")
    (book / "ncc.html").write_text(ncc(sample / RATE), encoding="utf-8")
    (book / "text.html").write_text(text_document(), encoding="utf-8")
    write_settings(data, heading_sounds)
    # Opening a book, the player announces it with its first clip, then reads from the start.
    # The title heading's sound is heard between the announcement and the reading.
    json.dump({"rate": RATE, "hertz": HERTZ, "announcement": CLIP_SECONDS,
               "announcement_sounds": sound, "files": layout},
              sys.stdout)
    print()


if __name__ == "__main__":
    main()
