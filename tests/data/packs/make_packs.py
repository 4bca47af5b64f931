#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the packs no packer makes, checked in beside this script:
# - pack.lzh: an LHA pack (level 0 headers, stored members) holding in/crunch.rp150p, a
#   copy of ../crunch_time.rp150p (libarchive cannot write LHA packs);
# - bad_name.zip: a zip that says its names are UTF-8 and holds one that is not,
#   "bad\xff.rp250p" (stored, its checksum left out);
# - escape.zip: a member whose name climbs out of the pack, "../escape.rp150p", beside
#   a preset that stays in it, "in/crunch.rp150p";
# - pack.cab: a cabinet of one stored folder holding in\crunch.rp150p, the same copy
#   (libarchive cannot write cabinets either);
# - pack.rar: a RAR pack of version 4 blocks holding the same copy, stored (libarchive
#   writes no RAR packs).
import pathlib
import struct
import zlib
import zipfile

here = pathlib.Path(__file__).resolve().parent


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def member(name, data):
    body = b"-lh0-" + struct.pack("<IIIBB", len(data), len(data), 0x5A210000, 0x20, 0)
    body += bytes([len(name)]) + name + struct.pack("<H", crc16(data))
    return bytes([len(body), sum(body) & 0xFF]) + body + data


preset = (here.parent / "crunch_time.rp150p").read_bytes()
(here / "pack.lzh").write_bytes(member(b"in\\crunch.rp150p", preset) + b"\0")

name, data = b"bad\xff.rp250p", b"<x/>"
sizes = struct.pack("<IIIHH", 0, len(data), len(data), len(name), 0)
local = struct.pack("<IHH6x", 0x04034B50, 20, 0x800) + sizes + name + data
central = struct.pack("<IIH6x", 0x02014B50, 20, 0x800) + sizes + bytes(14) + name
end = struct.pack("<IIHHIIH", 0x06054B50, 0, 1, 1, len(central), len(local), 0)
(here / "bad_name.zip").write_bytes(local + central + end)

with zipfile.ZipFile(here / "escape.zip", "w") as pack:
    for member in ("../escape.rp150p", "in/crunch.rp150p"):
        info = zipfile.ZipInfo(member, date_time=(2025, 1, 1, 0, 0, 0))
        pack.writestr(info, preset)

# A cabinet: its header, one folder of one data block stored as it is (no checksum), one
# file.
cab_name = b"in\\crunch.rp150p"
cab_file = struct.pack("<IIHHHH", len(preset), 0, 0, 0x5A21, 0, 0x20) + cab_name + b"\0"
data_at = 36 + 8 + len(cab_file)
cab_data = struct.pack("<IHH", 0, len(preset), len(preset)) + preset
cab_head = b"MSCF" + struct.pack(
    "<IIIIIBBHHHHH", 0, data_at + len(cab_data), 0, 36 + 8, 0, 3, 1, 1, 1, 0, 0, 0
)
cab_folder = struct.pack("<IHH", data_at, 1, 0)
(here / "pack.cab").write_bytes(cab_head + cab_folder + cab_file + cab_data)

# A RAR pack (version 4 blocks): the marker, the archive header, one stored file, the end.
def rar_block(kind, flags, body):
    head = struct.pack("<BHH", kind, flags, 7 + len(body)) + body
    return struct.pack("<H", zlib.crc32(head) & 0xFFFF) + head


rar_name = b"in\\crunch.rp150p"
rar_file = struct.pack(
    "<IIBIIBBHI", len(preset), len(preset), 0, zlib.crc32(preset), 0x5A210000, 20, 0x30,
    len(rar_name), 0x20
)
(here / "pack.rar").write_bytes(
    b"Rar!\x1a\x07\x00"
    + rar_block(0x73, 0, bytes(6))
    + rar_block(0x74, 0x8000, rar_file + rar_name)
    + preset
    + rar_block(0x7B, 0x4000, b"")
)
