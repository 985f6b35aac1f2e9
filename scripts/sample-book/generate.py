#!/usr/bin/env python3
"""Makes the sample DAISY 2.02 book from its source description.

Usage: generate.py SOURCE OUTPUT_FOLDER WORK_FOLDER
Writes ncc.html, one SMIL and one MP3 file per heading and the text documents into
OUTPUT_FOLDER (which should be empty); WORK_FOLDER takes the intermediate WAV files."""

import argparse
import os
import sys

import source
import speech
import writers


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source")
    parser.add_argument("output")
    parser.add_argument("work")
    args = parser.parse_args()

    with open(args.source, encoding="utf-8") as file:
        try:
            book = source.parse(file)
        except source.SourceError as error:
            sys.exit(f"{args.source}: {error}")
    missing = {"title", "identifier", "date", "language", "creator", "publisher",
               "narrator", "voice", "rate"} - book.meta.keys()
    if missing:
        sys.exit(f"{args.source}: metadata missing: {', '.join(sorted(missing))}")

    for heading in book.headings:
        speech.speak_heading(heading, book.meta["voice"], book.meta["rate"], args.work,
                             os.path.join(args.output, heading.audio))

    owner = {p.number: h for h in book.headings for p in h.phrases}
    write(args.output, "ncc.html", writers.ncc(book))
    elapsed = 0
    for heading in book.headings:
        write(args.output, heading.smil, writers.smil(book, heading, elapsed))
        elapsed += heading.duration_ms()
    for name, blocks in book.documents.items():
        write(args.output, name, writers.document(book, name, blocks, owner))
    report(book)


def write(folder, name, content):
    with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as file:
        file.write(content)


def report(book):
    for h in book.headings:
        kinds = [p.kind for p in h.phrases]
        extras = ", ".join(f"{p.kind} {p.par_id}" for p in h.phrases
                           if p.kind in ("page", "sidebar", "noteref", "footnote"))
        print(f"{'  ' * (h.level - 1)}h{h.level} {h.phrase.text!r}: {h.smil}, "
              f"{len(kinds)} phrases, {writers.time_text(h.duration_ms())}"
              + (f" ({extras})" if extras else ""))


if __name__ == "__main__":
    main()
