#!/usr/bin/env python3
"""The far side of BRLTTY's terminal braille driver: a pseudo-terminal whose other end the
driver takes as its braille display. Each time the driver draws the display's text row, the
row is appended to LOG as "SECONDS TEXT" (the seconds since the epoch, the text without the
blanks after it). Whatever is written to the FIFO KEYS is typed on the terminal, as the
display's keys ("ESC O B" is line down). The terminal's name is written to NAME_FILE.

    braille_terminal.py NAME_FILE LOG KEYS
"""
import os
import pty
import re
import select
import sys
import time
import tty

# The driver draws the text row on a cleared screen ("ESC [ J"), then the dots row below it
# ("ESC [ 1 B"), each ended by a carriage return.
CLEAR = b"\x1b[J"
ESCAPES = re.compile(rb"\x1b(\[[0-9;?]*[A-Za-z]|[()][0-9A-Z]|[=>])|[\x00-\x1f]")


def main():
    name_file, log_path, keys_path = sys.argv[1:4]
    master, slave = pty.openpty()
    tty.setraw(slave)
    os.mkfifo(keys_path)
    # Opened for writing too, so that the FIFO never reads as ended between two writers.
    keys = os.open(keys_path, os.O_RDWR | os.O_NONBLOCK)
    with open(name_file + ".new", "w") as name:
        name.write(os.ttyname(slave))
    os.rename(name_file + ".new", name_file)
    pending = b""
    with open(log_path, "a", buffering=1) as log:
        while True:
            ready, _, _ = select.select([master, keys], [], [])
            if keys in ready:
                os.write(master, os.read(keys, 256))
            if master not in ready:
                continue
            pending += os.read(master, 4096)
            *rows, pending = pending.split(b"\r")
            for row in rows:
                if CLEAR not in row:
                    continue  # the dots row
                text = ESCAPES.sub(b"", row.rsplit(CLEAR, 1)[1]).decode("utf-8", "replace")
                log.write("%.3f %s\n" % (time.time(), text.rstrip()))


if __name__ == "__main__":
    main()
