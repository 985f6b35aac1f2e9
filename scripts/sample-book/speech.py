"""Speaks the phrases of one heading with eSpeak NG and joins them into one MP3 file.

Clip times come from the WAV files, not from the MP3: lame writes the encoder delay and padding
into its Info header and libmpv trims them (gapless playback), so the decoded MP3 starts and ends
where the WAV did. Every phrase is padded to a whole number of 20 ms grains (441 samples at
22050 Hz), which makes every clip time an exact number of milliseconds."""

import os
import subprocess

SAMPLE_RATE = 22050
GRAIN = 441  # samples in 20 ms
PAUSE_AFTER = {"heading": 0.6, "page": 0.4}  # seconds of silence after a phrase
PAUSE_DEFAULT = 0.3
# Variable bit rate capped at 24 kbps, 16 kHz mono: small, and clear enough for synthetic speech.
# A constant bit rate this low leaves frames too small for lame's Info header, and without that
# header players cannot trim the encoder delay, so every clip would be heard late.
LAME_OPTIONS = ["-V", "9", "-B", "24", "--resample", "16", "-m", "m"]


def speak_heading(heading, voice, rate, work, out_path):
    """Fills begin_ms/end_ms of the heading's phrases and writes its MP3 to out_path."""
    wavs = []
    position = 0  # samples
    for phrase in heading.phrases:
        wav = os.path.join(work, f"{phrase.par_id}.wav")
        samples = _phrase_wav(phrase, voice, rate, work, wav)
        phrase.begin_ms = position * 1000 // SAMPLE_RATE
        position += samples
        phrase.end_ms = position * 1000 // SAMPLE_RATE
        wavs.append(wav)
    joined = os.path.join(work, f"s{heading.number:04d}.wav")
    _run(["sox", "-D", *wavs, joined])
    measured = samples_of(joined)
    if measured != position:
        raise RuntimeError(f"{joined}: {measured} samples, expected {position}")
    _run(["lame", "--silent", "--noreplaygain", *LAME_OPTIONS, joined, out_path])


def _phrase_wav(phrase, voice, rate, work, wav):
    raw = os.path.join(work, f"{phrase.par_id}-raw.wav")
    plain = os.path.join(work, f"{phrase.par_id}-plain.wav")
    # Text on standard input: a phrase that starts with "-" must not be taken for an option.
    subprocess.run(["espeak-ng", "-v", voice, "-s", str(rate), "-w", raw], check=True,
                   input=phrase.spoken.encode("utf-8"))
    # One level for all phrases, in the one format that the clip arithmetic assumes. No dither
    # (-D): sox dithers with random noise, and the book must come out the same on every run.
    _run(["sox", "-D", raw, "-r", str(SAMPLE_RATE), "-c", "1", "-b", "16", plain, "norm", "-3"])
    spoken = samples_of(plain)
    pause = round(PAUSE_AFTER.get(phrase.kind, PAUSE_DEFAULT) * SAMPLE_RATE)
    total = -(-(spoken + pause) // GRAIN) * GRAIN
    _run(["sox", "-D", plain, wav, "pad", "0", f"{total - spoken}s"])
    measured = samples_of(wav)
    if measured != total:
        raise RuntimeError(f"{wav}: {measured} samples, expected {total}")
    return total


def samples_of(path):
    return int(subprocess.run(["soxi", "-s", path], check=True, capture_output=True,
                              text=True).stdout.strip())


def _run(command):
    subprocess.run(command, check=True)
