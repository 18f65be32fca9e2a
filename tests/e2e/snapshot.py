#!/usr/bin/env python3
"""Prints a sorted snapshot of what a run of the program could have written, for diffing.

tree DIR     every entry under DIR: type, permission bits, size, last-write and change times
             (the change time moves with any write of data, attributes or extended attributes),
             extended attributes (where Wine keeps the hidden and system bits) and a hash of
             each file's bytes.
prefix DIR   the Wine prefix: every file's size and times except the registry files, and every
             registry key and value, without the times Wine stamps on keys when it saves them.
             Entries under the paths given with --skip are left out.
"""
import argparse
import hashlib
import os
import stat
import sys


def xattrs(path):
    try:
        names = sorted(os.listxattr(path, follow_symlinks=False))
    except OSError:
        return ""
    return ",".join(f"{n}={os.getxattr(path, n, follow_symlinks=False).hex()}" for n in names)


def digest(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def walk(top, skip):
    for root, dirs, files in os.walk(top):
        dirs[:] = sorted(d for d in dirs if os.path.join(root, d) not in skip)
        for name in sorted(dirs + files):
            path = os.path.join(root, name)
            if path not in skip:
                yield path, os.path.relpath(path, top)


def entry_line(path, rel, content):
    st = os.lstat(path)
    kind = "d" if stat.S_ISDIR(st.st_mode) else "l" if stat.S_ISLNK(st.st_mode) else "f"
    fields = [rel, kind, oct(stat.S_IMODE(st.st_mode)), str(st.st_size), str(st.st_mtime_ns),
              str(st.st_ctime_ns)]
    if content:
        fields.append(xattrs(path))
        fields.append(digest(path) if kind == "f" else os.readlink(path) if kind == "l" else "")
    return "\t".join(fields)


def registry_lines(path, rel):
    # A key's header carries the time of its last change and a "#time=" line follows it: both
    # are Wine's bookkeeping, rewritten whenever it saves; keys and values are compared whole.
    key = None
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                key = line[: line.rindex("]") + 1]
                yield f"{rel}\t{key}"
            elif key and line and not line.startswith("#time="):
                yield f"{rel}\t{key}\t{line}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=["tree", "prefix"])
    parser.add_argument("dir")
    parser.add_argument("--skip", action="append", default=[])
    args = parser.parse_args()
    top = os.path.abspath(args.dir)
    skip = {os.path.abspath(s) for s in args.skip}
    out = [entry_line(top, ".", True)] if args.what == "tree" else []
    for path, rel in walk(top, skip):
        if args.what == "prefix" and rel.endswith(".reg") and os.sep not in rel:
            out.extend(registry_lines(path, rel))
        elif args.what == "prefix" and rel == "wineserver":
            continue  # the server's socket link, made anew for each server
        else:
            out.append(entry_line(path, rel, args.what == "tree"))
    sys.stdout.write("".join(line + "\n" for line in sorted(out)))


if __name__ == "__main__":
    main()
