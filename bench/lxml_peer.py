#!/usr/bin/env python3
"""Peer for the parse benchmark: lxml.html cuts the same answer bytes into (time, progress) pairs.

Usage: lxml_peer.py ANSWER_FILE PAIRS_OUT  -- prints the best time of one parse in milliseconds.
"""
import sys
import time

import lxml.html


def parse(data):
    parser = lxml.html.HTMLParser(encoding="utf-8")
    doc = lxml.html.document_fromstring(data, parser=parser)
    pairs = []
    for tr in doc.iter("tr"):
        cells = tr.findall("td")
        if len(cells) == 2:
            pairs.append((cells[0].text_content(), cells[1].text_content()))
    pairs.reverse()  # newest first, like the program's list
    return pairs


def main():
    data = open(sys.argv[1], "rb").read()
    best = None
    for _ in range(7):
        start = time.perf_counter()
        pairs = parse(data)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        for t, p in pairs:
            out.write(t + "\t" + p + "\n")
    print("%.3f" % (best * 1000.0))


if __name__ == "__main__":
    main()
