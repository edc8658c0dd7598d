#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz harnesses: one small valid file for
every version byte the readers accept. Run it from this folder; the files it
writes are committed."""
import os
import struct

COMMENT = bytes((65 + i) % 256 for i in range(250))
SETTINGS = bytes([3, 2, 9, 4, 21, 0])


def prefix(version, count):
    return struct.pack('<BI', version, count) + COMMENT + SETTINGS


def header_2d(version, count):
    cables = bytes([1] * 24) + bytes([1] * 23 + [0])
    groups = bytes([1, 8, 1, 1, 0, 0, 0, 0, 5, 3, 2, 1, 0, 0, 0, 0])
    return prefix(version, count) + struct.pack('<BBII', 0, 1, 5000, 250) + cables + groups


def record_2d(width, status, electrodes, slots):
    code = '<B' + ('B' if width == 1 else 'I') * 4 + 'I' * 5
    return struct.pack(code, status, *electrodes, *slots)


def header_1d(version, count):
    groups = struct.pack('<ddBB', 1.5, 1.25, 2, 0) + struct.pack('<ddBB', 12.0, 1.5, 1, 1) + bytes(36)
    return prefix(version, count) + struct.pack('<BBB', 1, 1, 2) + groups


def write(harness, name, content):
    os.makedirs(os.path.join('corpus', harness), exist_ok=True)
    with open(os.path.join('corpus', harness, name), 'wb') as f:
        f.write(content)


records = [(1, (1, 2, 3, 4), (7, 1234, 56, 78, 99)), (0, (45, 46, 47, 48), (0, 5, 6, 7, 8))]
for version, width in ((221, 1), (122, 4), (121, 1)):
    write('fuzz_2d_files', f'd2d_{version}',
          header_2d(version, 2) + b''.join(record_2d(width, *r) for r in records))
write('fuzz_2d_files', 'd2d_122_electrodes_above_48',
      header_2d(122, 1) + record_2d(4, 1, (49, 300, 70000, 2), (1, 2, 3, 4, 5)))
for version in (220, 120):
    write('fuzz_2d_files', f's2d_{version}', header_2d(version, 2) + bytes([1, 2, 3, 4, 2, 3, 4, 5]))

for version in (210, 110):
    write('fuzz_1d_files', f's1d_{version}',
          header_1d(version, 3) + struct.pack('<IIIIII', 1500, 500, 1875, 500, 12000, 1000))
for version in (211, 111):
    write('fuzz_1d_files', f'd1d_{version}',
          header_1d(version, 3) + b''.join(struct.pack('<BIIIIIII', 1, ab, 500, 7, 1234, 56, 78, 99)
                                           for ab in (1500, 1875, 12000)))

for version in (201, 101):
    write('fuzz_0d_files', f'd0d_{version}',
          prefix(version, 2) + struct.pack('<IIIII', 7, 1234, 56, 78, 99) + struct.pack('<IIIII', 0, 5, 6, 7, 8))
