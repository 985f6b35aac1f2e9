#!/usr/bin/env python3
"""Checks a generated sample book: reads it the way a line-oriented DAISY 2.02 player does and
compares what it finds with the XML, the audio files and the NCC metadata.

Usage: check.py BOOK_FOLDER [--max-bytes N]
Prints one line per fault and exits with 1 when there is any."""

import argparse
import os
import re
import struct
import sys
import xml.etree.ElementTree as ET

faults = []


def fault(message):
    faults.append(message)


# --- The player's line rules: substring search in a lower-case copy, values cut from the line.

def value_after(line, start):
    """First '="' after start, up to the next quote."""
    at = line.find('="', start)
    if at < 0:
        return ""
    end = line.find('"', at + 2)
    return line[at + 2:end if end >= 0 else len(line)]


def link_file(line, start):
    at = line.find("href", start)
    if at < 0:
        return ""
    at += 4
    if line.startswith('="', at):
        at += 2
    end = line.find("#", at)
    return line[at:end if end >= 0 else len(line)]


def fragment(line, start):
    at = line.find("#", start)
    if at < 0:
        return ""
    end = line.find('"', at + 1)
    return line[at + 1:end if end >= 0 else len(line)]


def link_text(line, start, stop):
    at = start
    while True:
        at = line.find('">', at)
        if at < 0 or at + 2 >= len(line):
            return ""
        if line[at + 2] != "<":
            break
        at += 1
    end = line.find(stop, at + 2)
    return line[at + 2:end if end >= 0 else len(line)]


def id_after(line, start):
    at = line.find("id=", start)
    if at < 0:
        return ""
    end = line.find('"', at + 4)
    return line[at + 4:end if end >= 0 else len(line)]


def src_after(line, start, stop):
    at = line.find("src=", start)
    if at < 0:
        return ""
    end = line.find(stop, at + 5)
    return line[at + 5:end if end >= 0 else len(line)]


def clip(line, name, skip):
    at = line.find(name)
    if at < 0:
        return None
    end = line.find("s", at + skip)
    return float(line[at + skip:end])


def read_lines(path):
    with open(path, encoding="utf-8") as file:
        return [line.rstrip("\r\n") for line in file if line.strip()]


def read_ncc(folder):
    meta, headings, pages = {}, [], []
    in_head = in_body = False
    for line in read_lines(os.path.join(folder, "ncc.html")):
        low = line.lower()
        if " rel=\"" in low and "<a href" in low:
            fault(f"ncc.html: a link with rel would mark a change: {line.strip()}")
        in_head = (in_head or "<head>" in low) and "</head>" not in low
        in_body = (in_body or "<body>" in low) and "</body>" not in low
        if in_head:
            for key in ("dc:date", "dc:title", "dc:identifier", "dc:format", "ncc:charset",
                        "ncc:tocitems", "ncc:totaltime", "ncc:multimediatype", "ncc:pagenormal",
                        "ncc:footnotes", "ncc:sidebars", "ncc:depth", "ncc:maxpagenormal"):
                at = low.find(key)
                if at >= 0:
                    meta[key] = value_after(line, at)
        if not in_body:
            continue
        at = low.find("<h")
        if at >= 0 and low[at + 2:at + 3] in "123456" and low[at + 3:at + 4] != "/":
            if "</h" not in low:
                fault(f"ncc.html: heading not on one line: {line.strip()}")
            headings.append((int(low[at + 2]), link_text(line, low.find("<a href"), "</"),
                             link_file(line, at), fragment(line, at)))
        at = low.find('class="page')
        if at >= 0:
            pages.append((link_text(line, at, "<"), link_file(line, at), fragment(line, at)))
        if "<div" in low:
            fault(f"ncc.html: a div line would be read as a group: {line.strip()}")
    return meta, headings, pages


def read_smil(path):
    """Returns (time in this SMIL, total elapsed time, phrase rows)."""
    rows, times = [], {}
    in_head = in_body = False
    for line in read_lines(path):
        low = line.lower()
        in_head = (in_head or "<head>" in low) and "</head>" not in low
        in_body = (in_body or "<body>" in low) and "</body>" not in low
        if in_head:
            for key in ("timeinthissmil", "totalelapsedtime"):
                if key in low:
                    times[key] = value_after(line, low.find(key))
        if not in_body:
            continue
        if "<par" in low:
            skip = ""
            for kind in ("sidebar", "prodnote", "footnote", "pagenumber"):
                if f"{kind}-on" in low:
                    skip = kind
            rows.append({"par": id_after(line, low.find("<par")), "skip": skip})
        if "<text" in low:
            at = low.find("<text")
            rows[-1].update(doc=src_after(line, at, "#"), frag=fragment(line, at),
                            text_id=id_after(line, at))
        if "<audio" in low:
            at = low.find("<audio")
            if "audio" in rows[-1]:
                fault(f"{path}: more than one clip in par {rows[-1]['par']}")
            rows[-1].update(audio=src_after(line, at, '"'), begin=clip(line, "clip-begin", 16),
                            end=clip(line, "clip-end", 14))
    return times.get("timeinthissmil", ""), times.get("totalelapsedtime", ""), rows


def seconds(time_text):
    hours, minutes, rest = time_text.split(":")
    return int(hours) * 3600 + int(minutes) * 60 + float(rest)


# --- Audio: the decoded length that a gapless player (libmpv) gets from lame's Info header.

def mp3_gapless_seconds(path):
    with open(path, "rb") as file:
        data = file.read(4096)
    if data[:3] == b"ID3":
        fault(f"{path}: unexpected ID3 tag")
        return None
    header = struct.unpack(">I", data[:4])[0]
    version = (header >> 19) & 3  # 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    rates = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}
    rate = rates[version][(header >> 10) & 3]
    per_frame = 1152 if version == 3 else 576
    at = max(data.find(b"Xing"), data.find(b"Info"))
    lame = data.find(b"LAME", at)
    if at < 0 or lame < 0:
        fault(f"{path}: no Info header with encoder delay; players would hear clips late")
        return None
    flags = struct.unpack(">I", data[at + 4:at + 8])[0]
    if not flags & 1:
        fault(f"{path}: Info header without a frame count")
        return None
    frames = struct.unpack(">I", data[at + 8:at + 12])[0]
    delay_pad = data[lame + 21:lame + 24]
    delay = (delay_pad[0] << 4) | (delay_pad[1] >> 4)
    padding = ((delay_pad[1] & 15) << 8) | delay_pad[2]
    return (frames * per_frame - delay - padding) / rate


def ids_of(path):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        fault(f"{path}: not well-formed: {error}")
        return {}
    return {e.get("id"): e for e in root.iter() if e.get("id")}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--max-bytes", type=int, default=600 * 1024)
    args = parser.parse_args()
    folder = args.folder

    for name in sorted(os.listdir(folder)):
        if name.endswith((".html", ".smil")):
            ids_of(os.path.join(folder, name))  # well-formedness
    meta, headings, pages = read_ncc(folder)
    check_metadata(meta, headings, pages)

    documents, text_ids, total, counts = {}, {}, 0.0, {"footnote": 0, "sidebar": 0}
    linked_from_smil = set()
    for level, title, smil, frag in headings:
        path = os.path.join(folder, smil)
        if not os.path.exists(path):
            fault(f"heading {title!r}: {smil} missing")
            continue
        this, elapsed, rows = read_smil(path)
        if abs(seconds(elapsed) - total) > 0.0015:
            fault(f"{smil}: total elapsed time {elapsed}, the files before last {total:.3f} s")
        smil_ids = ids_of(path)
        if not rows or rows[0]["text_id"] != frag or frag not in smil_ids:
            fault(f"{smil}: the heading link #{frag} is not the text of the first phrase")
        check_clips(folder, smil, this, rows)
        total += seconds(this)
        for row in rows:
            counts[row["skip"]] = counts.get(row["skip"], 0) + 1
            doc = documents.setdefault(row["doc"], ids_of(os.path.join(folder, row["doc"])))
            if row["frag"] not in doc:
                fault(f"{smil}: {row['doc']}#{row['frag']} does not exist")
            linked_from_smil.add((row["doc"], row["frag"]))
            text_ids[(smil, row["text_id"])] = row
        for label, page_smil, page_frag in pages:
            if page_smil == smil:
                check_page(label, page_frag, rows, documents)
    check_documents(documents, linked_from_smil, text_ids)

    if abs(seconds(meta.get("ncc:totaltime", "0:0:0")) - round(total)) > 0.5:
        fault(f"ncc:totalTime {meta.get('ncc:totaltime')} but the SMIL files last {total:.3f} s")
    if meta.get("ncc:footnotes") != str(counts.get("footnote", 0)):
        fault(f"ncc:footnotes {meta.get('ncc:footnotes')}, footnote phrases {counts['footnote']}")
    if counts.get("sidebar", 0) and meta.get("ncc:sidebars", "0") == "0":
        fault("sidebar phrases but ncc:sidebars is 0")
    size = sum(os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder))
    if size >= args.max_bytes:
        fault(f"the book has {size} bytes, the limit is {args.max_bytes}")

    for message in faults:
        print(f"fault: {message}")
    print(f"{len(headings)} headings, {len(pages)} pages, {len(text_ids)} phrases, "
          f"{total:.3f} s, {size} bytes, {len(faults)} faults")
    return 1 if faults else 0


def check_metadata(meta, headings, pages):
    wanted = {"dc:format": "Daisy 2.02", "ncc:charset": "utf-8",
              "ncc:multimediatype": "audioFullText", "ncc:tocitems": str(len(headings) + len(pages)),
              "ncc:pagenormal": str(len(pages)),
              "ncc:depth": str(max((h[0] for h in headings), default=0)),
              "ncc:maxpagenormal": str(max((int(p[0]) for p in pages), default=0))}
    for key, value in wanted.items():
        if meta.get(key) != value:
            fault(f"ncc.html: {key} is {meta.get(key)!r}, expected {value!r}")
    for key in ("dc:title", "dc:identifier", "dc:date", "ncc:totaltime"):
        if not meta.get(key):
            fault(f"ncc.html: {key} missing")
    previous = 1
    for level, title, _, _ in headings:
        if level > previous + 1:
            fault(f"heading {title!r}: level {level} after level {previous}")
        previous = level


def check_clips(folder, smil, this, rows):
    durations = {}
    position = 0.0
    for row in rows:
        audio = row.get("audio")
        if not audio:
            fault(f"{smil}: par {row['par']} has no audio")
            continue
        if audio not in durations:
            path = os.path.join(folder, audio)
            durations[audio] = mp3_gapless_seconds(path) if os.path.exists(path) else None
            if not os.path.exists(path):
                fault(f"{smil}: {audio} missing")
        length = durations[audio]
        if not 0 <= row["begin"] < row["end"]:
            fault(f"{smil}: par {row['par']}: clip {row['begin']}..{row['end']}")
        if length is not None and row["end"] > length + 0.0005:
            fault(f"{smil}: par {row['par']} ends at {row['end']} s, {audio} lasts {length:.4f} s")
        if abs(row["begin"] - position) > 0.0005:
            fault(f"{smil}: par {row['par']} starts at {row['begin']}, expected {position:.3f}")
        position = row["end"]
    if abs(seconds(this) - position) > 0.0005:
        fault(f"{smil}: time in this SMIL {this}, the clips last {position:.3f} s")
    for audio, length in durations.items():
        if length is not None and abs(length - position) > 0.0015:
            fault(f"{audio}: decodes to {length:.4f} s, the clips end at {position:.3f} s")


def check_page(label, frag, rows, documents):
    row = next((r for r in rows if frag in (r["text_id"], r["par"])), None)
    if row is None or row["skip"] != "pagenumber":
        fault(f"page {label}: #{frag} is not a page-number phrase")
        return
    element = documents.get(row["doc"], {}).get(row["frag"])
    shown = "".join(element.itertext()).strip() if element is not None else None
    if element is None or element.get("class") != "page-normal" or shown != label:
        fault(f"page {label}: the text shows {shown!r}")


def check_documents(documents, linked_from_smil, text_ids):
    """Every phrase element of the text links back to the SMIL text that points at it."""
    for doc, ids in documents.items():
        for element_id, element in ids.items():
            links = [a for a in element.iter() if a.get("href")]
            if not links:
                continue
            smil, _, target = links[0].get("href").partition("#")
            row = text_ids.get((smil, target))
            if (doc, element_id) not in linked_from_smil or row is None or row["frag"] != element_id:
                fault(f"{doc}#{element_id}: link {links[0].get('href')} does not lead back")


if __name__ == "__main__":
    sys.exit(main())
