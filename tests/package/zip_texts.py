#!/usr/bin/env python3
"""The release zip's texts: CR LF on every line, and every file they name is in the zip.
Usage: zip_texts.py FOLDER (the unpacked zip). Prints each fault; exit 1 when there is one."""
import os
import re
import sys

TEXTS = (".txt", ".md", ".ini", ".set")
# A file named in a text: a document or a program, or any path with a folder in it.
REFERENCE = re.compile(r"[\w.-]+(?:[/\\][\w.-]+)*\.(?:md|txt|exe)\b|[\w.-]+(?:[/\\][\w.-]+)+\.(?:dll|ini|set)\b")
# Files that a text names but the zip rightly does not hold (made or brought by the user).
ELSEWHERE = {"line.csv", "bench.csv", "certutil.exe"}


def main(top):
    shipped = set()
    for folder, _, files in os.walk(top):
        for name in files:
            shipped.add(os.path.relpath(os.path.join(folder, name), top).replace(os.sep, "/"))
    names = {path.rsplit("/", 1)[-1] for path in shipped}
    faults = []
    for path in sorted(p for p in shipped if p.endswith(TEXTS)):
        data = open(os.path.join(top, path), "rb").read()
        lines = data.split(b"\n")
        if lines[-1] == b"":
            lines.pop()
        bare = sum(1 for line in lines if not line.endswith(b"\r"))
        if bare or not data.endswith(b"\r\n"):
            faults.append(f"{path}: {bare} of {len(lines)} lines without CR LF")
        here = path.rsplit("/", 1)[0] + "/" if "/" in path else ""
        for number, line in enumerate(data.decode("utf-8", "replace").splitlines(), 1):
            for found in REFERENCE.findall(line):
                ref = found.replace("\\", "/")
                if ref.startswith(".."):  # C:\...\CR95HF.dll: an example, no file of the zip
                    continue
                if "/" in ref:
                    ok = ref in shipped or here + ref in shipped
                else:
                    ok = ref in names or ref in ELSEWHERE
                if not ok:
                    faults.append(f"{path}:{number}: names {found}, which the zip does not hold")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
