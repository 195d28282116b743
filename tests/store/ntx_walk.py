#!/usr/bin/python3
"""An independent NTX (Clipper 5) reader: checks the header and every page of the tree
(counts, item offsets, leaf and branch pages, equal leaf depth, key order) and prints
the entries in order as "key|record". Exit code 1 with a message on the first fault."""
import struct
import sys

PAGE = 1024


def fail(message):
    print("FAULT " + message)
    sys.exit(1)


def main():
    data = open(sys.argv[1], "rb").read()
    if len(data) < PAGE or len(data) % PAGE:
        fail("file size %d is not a whole number of pages" % len(data))
    sig, version, root, free, item, key, dec, maxi, half = struct.unpack_from("<HHIIHHHHH", data, 0)
    if sig & ~1 != 6:
        fail("signature %d" % sig)
    if item != key + 8 or maxi < 2 or half != maxi // 2:
        fail("sizes item %d key %d max %d half %d" % (item, key, maxi, half))
    expected_max = (1022 // (key + 10)) - 1
    if expected_max % 2 and expected_max > 2:
        expected_max -= 1
    if maxi != expected_max:
        fail("max items %d, formula gives %d" % (maxi, expected_max))
    key_expr = data[22:22 + 256].split(b"\0", 1)[0].decode("cp1252")
    for_expr = data[282:282 + 256].split(b"\0", 1)[0].decode("cp1252")
    if bool(sig & 1) != bool(for_expr):
        fail("FOR flag %d but condition %r" % (sig & 1, for_expr))
    entries = []
    leaf_depths = set()
    seen = set()

    def walk(offset, depth, is_root):
        if offset % PAGE or offset <= 0 or offset + PAGE > len(data) or offset in seen:
            fail("bad page offset %d" % offset)
        seen.add(offset)
        n = struct.unpack_from("<H", data, offset)[0]
        if n > maxi or (not is_root and n < half):
            fail("page %d holds %d keys (half %d, max %d)" % (offset, n, half, maxi))
        slots = struct.unpack_from("<%dH" % (maxi + 1), data, offset + 2)
        if len(set(slots)) != maxi + 1:
            fail("page %d offset table is not a permutation" % offset)
        items = []
        for i in range(n + 1):
            at = slots[i]
            if at + item > PAGE:
                fail("page %d slot %d out of page" % (offset, i))
            child, rec = struct.unpack_from("<II", data, offset + at)
            items.append((child, rec, data[offset + at + 8: offset + at + 8 + key]))
        leaf = items[0][0] == 0
        if any((c == 0) != leaf for c, _, _ in items):
            fail("page %d mixes leaf and branch items" % offset)
        for i in range(n + 1):
            if not leaf:
                walk(items[i][0], depth + 1, False)
            if i < n:
                entries.append((items[i][2], items[i][1]))
        if leaf:
            leaf_depths.add(depth)

    walk(root, 0, True)
    if len(leaf_depths) > 1:
        fail("leaves at depths %s" % sorted(leaf_depths))
    for a, b in zip(entries, entries[1:]):
        if a[0] > b[0]:
            fail("keys out of order: %r > %r" % (a[0], b[0]))
    print("key %s" % key_expr)
    print("for %s" % for_expr)
    print("depth %d entries %d" % (max(leaf_depths) + 1 if leaf_depths else 0, len(entries)))
    for k, rec in entries:
        print("%s|%d" % (k.decode("cp1252"), rec))


main()
