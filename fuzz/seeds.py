#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/<target>/ in each target's input format (see the
comment at the top of each fuzz_*.cpp). Run from anywhere; the files are committed."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def f32(*values):
    return b"".join(struct.pack("<f", v) for v in values)


def packet(t, s, f, payload=b"", access=0x80, tail=b"\x7d\x82"):
    return (b"\x82\x7d\x01\x00" + bytes([t, s, f, access]) + struct.pack("<H", len(payload))
            + payload + tail)


# --- fuzz_packetcutter: flags, schedule length, schedule bytes, stream


def cutter(name, stream, flags=0, schedule=b""):
    write("fuzz_packetcutter", name, bytes([flags, len(schedule)]) + schedule + stream)


gains = packet(3, 7, 2, f32(*[-6.0] * 16))
meters = packet(3, 1, 1, bytes(range(16)))
empty = packet(2, 2, 14)
cutter("one-report", gains)
cutter("byte-by-byte", gains + meters + empty, schedule=b"\x00")
cutter("garbage-first-logged", b"\x00\x82\x13\x82\x7e" * 5 + meters + b"\x82\x7d\x01",
       flags=1, schedule=b"\x05\x45")
cutter("wrong-tail", packet(3, 4, 3, bytes(13), tail=b"\x7d\x83") + meters)
cutter("nested-append-and-clear", (empty + meters) * 3, flags=6, schedule=b"\x80\x03\xc0")
cutter("largest-payload", packet(3, 32, 16, bytes(range(256)) * 7 + bytes(244)),
       schedule=b"\x7f\x01")
# A header claiming 2037 payload bytes is no header: the packet right behind it is found.
cutter("claimed-too-long", b"\x82\x7d\x01\x00\x03\x07\x02\x80" + struct.pack("<H", 2037)
       + meters)

# --- fuzz_reports: records of pick (240+: code follows), mode, length (2 bytes), payload


def report(t, s, f, payload, mode=0x80):
    n = len(payload)
    return bytes([0xF0, mode, 0x80 | (n >> 8), n & 0xFF, t, s, f]) + payload


def reports(name, *records):
    write("fuzz_reports", name, b"".join(records))


nan = float("nan")
inf = float("inf")
reports("peq-clamped", report(3, 4, 3, bytes([5, 2, 1, 1]) + f32(2000, 20) + b"\x50"))
reports("gains-nan-inf", report(3, 1, 8, f32(60, nan, -inf, inf) + bytes(48)),
        report(3, 7, 2, f32(*[-100.0] * 18)))
reports("limiter-agc-gate", report(3, 5, 1, b"\x03\x01" + f32(30, 0.5, 5000, -inf)),
        report(3, 16, 1, b"\x02\x01" + f32(-200, 5, 500, 0, 2000)),
        report(3, 2, 2, b"\x04\x01" + f32(10, 0, nan)))
reports("labels", report(2, 3, 1, (b"Mic\x00" + bytes(12)) * 17),
        report(2, 3, 3, "主持人".encode("gbk") + bytes(4) + bytes(10) * 16))
reports("preset-table", report(3, 32, 1, b"\x02" + (b"\x01" + b"Choir".ljust(16, b"\0")) * 32))
reports("system", report(2, 2, 9, f32(nan)), report(2, 2, 39, bytes.fromhex("001a2b3c4d5e")),
        report(2, 2, 40, b"\x05"), report(2, 2, 17, struct.pack("<I", 4800)),
        report(2, 2, 20, b"\x01\x03\x02\x00\x00"))
reports("held-and-any-access", report(3, 4, 1, bytes([3, 1, 2, 5]) + f32(100), mode=0xA0),
        report(2, 2, 34, b"", mode=0x00), report(2, 2, 161, b"", mode=0x01))
reports("matrix-and-output", report(3, 8, 2, b"\x03\x9c\x05" + bytes(15)),
        report(3, 11, 7, f32(6, -40) + f32(20, -90) * 15),
        report(3, 18, 2, bytes([5, 1]) + bytes(14)))
write("fuzz_reports", "garbage", bytes((i * 37 + 11) % 256 for i in range(300)))

# --- fuzz_discovery: operations (see fuzz_discovery.cpp)


def datagram_body(device_id, ip, model=b"", arm=b"", serial=b"", location=b"",
                  description=b"", preset=b"", fault=0, dsp=b"\x01\x02\x03"):
    """The 150 bytes between header and tail, as the well-formed operation reads them."""
    d = bytearray(154)
    struct.pack_into("<I", d, 8, device_id)
    struct.pack_into("<I", d, 24, ip)
    struct.pack_into("<II", d, 28, 3600, 86400)
    d[36:56] = arm.ljust(20, b"\0")
    d[56:59] = dsp
    d[59:77] = model.ljust(18, b"\0")
    d[77:95] = serial.ljust(18, b"\0")
    d[95:113] = location.ljust(18, b"\0")
    d[113:131] = description.ljust(18, b"\0")
    struct.pack_into("<I", d, 131, fault)
    d[136:152] = preset.ljust(16, b"\0")
    return bytes(d[2:152])


def discovery(name, *operations):
    write("fuzz_discovery", name, b"".join(operations))


ip1 = 0xC0A80164  # 192.168.1.100
unit = datagram_body(1234, ip1, b"DSP-1616", b"V1.2.3", b"SN0001", b"Hall", b"Main", b"P1")
moved = datagram_body(1234, ip1 + 1, b"DSP-1616", b"V1.2.4", b"SN0001", b"Foyer", b"Main",
                      b"P2", fault=1)
discovery("one-unit", b"\x00" + unit)
discovery("heard-again-changed", b"\x00" + unit, b"\x08" + moved,
          b"\x05\x01" + bytes([59 + 9, ord("X")]))  # behind the model's NUL: no change
discovery("gbk-texts", b"\x00" + datagram_body(7, ip1, "会议室".encode("gbk"),
                                               location="二楼".encode("gbk") + b"\x81"))
discovery("small-ids", b"\x30" + unit, b"\x50" + unit, b"\x38" + moved, b"\x07\x00")
discovery("added-by-address-then-heard", b"\x0f" + struct.pack(">I", ip1),
          b"\x00" + datagram_body(42215, ip1, b"DSP-0808"), b"\x0f" + struct.pack(">I", ip1))
discovery("wrong-size-and-type", b"\x06\x99" + b"\xa9\xac" + bytes(151),
          b"\x05\x01" + bytes([20, 5]), b"\x06\x00")
