#!/usr/bin/python3
"""Writes core/text/OB_CodePageData.cpp: the decode and encode maps of the fourteen table-driven code pages.

The mappings come from Python's codecs of the same names, which are generated from the published
Windows code-page mappings. Only the plain mappings are kept: the user-defined areas, private-use
results and the single bytes the codecs take from the best-fit conversion are left out, and a character
is encoded only when it is itself the result of decoding, so no best-fit mapping enters the encode maps.

Run from the repository root:  /usr/bin/python3 tools/gen_codepages.py
"""

import os
import sys

CODE_PAGES = [874, 932, 936, 949, 950] + list(range(1250, 1259))
DOUBLE_BYTE = {932, 936, 949, 950}
NO_MAPPING = 0xFEFF

KIND_TABLE, KIND_BASE, KIND_NONE, KIND_BYTES = 1, 2, 3, 4

# What each header must say; the generator stops when the mappings disagree with it.
EXPECTED = {
    874: (0x00, 0xFB, 0x0000, 0x20AC),
    932: (0x00, 0xFC4B, 0x0000, 0xFFE5),
    936: (0x00, 0xFE4F, 0x0000, 0xFFE5),
    949: (0x00, 0xFDFE, 0x0000, 0xFFE6),
    950: (0x00, 0xF9FE, 0x0000, 0xFFE5),
    1253: (0x00, 0xFE, 0x0000, 0x2122),
    1255: (0x00, 0xFE, 0x0000, 0x2122),
}
for cp in (1250, 1251, 1252, 1254, 1256, 1257, 1258):
    EXPECTED[cp] = (0x00, 0xFF, 0x0000, 0x2122)


def is_private(u):
    return 0xE000 <= u <= 0xF8FF


# The user-defined areas of the double-byte code pages, as blocks of lead bytes by trail bytes.
# Python's cp950 fills one of them with extensions of another vendor; the Windows mapping leaves
# them to the user.
USER_DEFINED = {
    932: [(0xF0, 0xF9, 0x40, 0xFC)],
    936: [(0xA1, 0xA7, 0x40, 0xA0), (0xAA, 0xAF, 0xA1, 0xFE), (0xF8, 0xFE, 0xA1, 0xFE)],
    949: [(0xC9, 0xC9, 0xA1, 0xFE), (0xFE, 0xFE, 0xA1, 0xFE)],
    950: [(0x81, 0xA0, 0x40, 0xFE), (0xC6, 0xC6, 0xA1, 0xFE), (0xC7, 0xC8, 0x40, 0xFE), (0xFA, 0xFE, 0x40, 0xFE)],
}


# Lead bytes as the code pages define them, whether or not a character follows them: a lead byte
# always takes its trail byte along, also where the pair has no mapping.
LEAD_BYTES = {
    932: list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)),
    936: list(range(0x81, 0xFF)),
    949: list(range(0x81, 0xFF)),
    950: list(range(0x81, 0xFF)),
}


# Single bytes Python's codecs decode by the vendor's best-fit conversion, outside the plain mapping:
# cp932 passes 0x80 through as a control character.
BEST_FIT_BYTES = {932: [0x80]}


def is_user_defined(cp, code):
    lead, trail = code >> 8, code & 0xFF
    return any(l0 <= lead <= l1 and t0 <= trail <= t1 for l0, l1, t0, t1 in USER_DEFINED.get(cp, []))


def preferred_code(cp, codes):
    """The code a character with several codes encodes to, as Windows chooses it: in cp932 the
    IBM extension row wins over its NEC-selected copy (Python's codec picks the copy)."""
    if cp == 932:
        ibm = [c for c in codes if 0xFA40 <= c <= 0xFC4B]
        nec_selected = [c for c in codes if 0xED40 <= c <= 0xEEFC]
        if ibm and nec_selected and len(ibm) + len(nec_selected) == len(codes):
            return min(ibm)
    return None


def decode_one(codec, raw):
    try:
        text = raw.decode(codec)
    except UnicodeDecodeError:
        return None
    if len(text) != 1 or is_private(ord(text)):
        return None
    return ord(text)


def read_mapping(cp):
    codec = "cp%d" % cp
    decode = {}
    for b in range(256):
        u = decode_one(codec, bytes([b]))
        if u is not None and b not in BEST_FIT_BYTES.get(cp, []):
            decode[b] = u
    leads = set(LEAD_BYTES.get(cp, []))
    if cp in DOUBLE_BYTE:
        for lead in sorted(leads):
            for trail in range(0x100):
                if is_user_defined(cp, lead * 256 + trail):
                    continue
                u = decode_one(codec, bytes([lead, trail]))
                if u is not None:
                    decode[lead * 256 + trail] = u
    for lead in leads:
        if lead in decode:
            sys.exit("cp%d: 0x%02X is both a character and a lead byte" % (cp, lead))
    encode = {}
    sources = {}
    for code, u in decode.items():
        sources.setdefault(u, []).append(code)
    for u in sorted(sources):
        raw = chr(u).encode(codec)
        code = raw[0] if len(raw) == 1 else raw[0] * 256 + raw[1]
        chosen = preferred_code(cp, sources[u])
        if chosen is not None:
            code = chosen
        if len(raw) > 2 or decode.get(code) != u:
            sys.exit("cp%d: U+%04X does not encode back to a code of its own" % (cp, u))
        encode[u] = code
    return decode, leads, encode


def pack_bytes(values):
    out = []
    for i in range(0, len(values), 2):
        low = values[i]
        high = values[i + 1] if i + 1 < len(values) else 0
        out.append(low | (high << 8))
    return out


def segment_cost(values, i, j, overhead):
    """Cheapest kind for values[i..j] (None marks no mapping): (cost, kind)."""
    part = values[i:j + 1]
    n = len(part)
    if all(v is None for v in part):
        return overhead, KIND_NONE
    best = (overhead + n, KIND_TABLE)
    if all(v is not None for v in part):
        if all(part[k] == part[0] + k for k in range(n)):
            best = min(best, (overhead + 1, KIND_BASE))
        elif max(part) - min(part) <= 255:
            best = min(best, (overhead + 1 + (n + 1) // 2, KIND_BYTES))
    return best


def segment_data(part, kind):
    if kind == KIND_NONE:
        return []
    if kind == KIND_BASE:
        return [part[0]]
    if kind == KIND_BYTES:
        base = min(part)
        return [base] + pack_bytes([v - base for v in part])
    return [NO_MAPPING if v is None else v for v in part]


def split(values, overhead, longest=256):
    """Cheapest cover of values by consecutive segments (dynamic programming)."""
    n = len(values)
    best = [0] + [None] * n
    choice = [None] * (n + 1)
    for j in range(1, n + 1):
        for i in range(max(0, j - longest), j):
            if best[i] is None:
                continue
            cost, kind = segment_cost(values, i, j - 1, overhead)
            total = best[i] + cost
            if best[j] is None or total < best[j]:
                best[j] = total
                choice[j] = (i, kind)
    segments = []
    j = n
    while j > 0:
        i, kind = choice[j]
        segments.append((i, j - 1, kind))
        j = i
    return list(reversed(segments))


def build_decode(decode, leads):
    first = []
    ranges = []
    data = []
    for b in range(256):
        if b not in leads:
            first.append((decode.get(b, NO_MAPPING) << 16))
            continue
        trails = [t for t in range(256) if b * 256 + t in decode]
        start = trails[0] if trails else 0
        values = [decode.get(b * 256 + t) for t in range(start, 256)]
        segments = split(values, 2)
        first.append((len(ranges) << 16) | len(segments))
        for i, j, kind in segments:
            if len(data) > 0xFFFF:
                sys.exit("decode data too large for 16-bit offsets")
            ranges.append((start + i) | (kind << 8) | (len(data) << 16))
            data.extend(segment_data(values[i:j + 1], kind))
    return first, ranges, data


def build_encode(encode):
    # Runs of Unicode values with holes of at most 4 are covered together; wider holes are left out.
    ranges = []
    data = []
    keys = sorted(encode)
    groups = []
    for u in keys:
        if groups and u - groups[-1][-1] <= 5:
            groups[-1].append(u)
        else:
            groups.append([u])
    for group in groups:
        lo = group[0]
        values = [encode.get(u) for u in range(lo, group[-1] + 1)]
        for i, j, kind in split(values, 4):
            if kind == KIND_NONE:
                continue
            if len(data) > 0xFFFF:
                sys.exit("encode data too large for 16-bit offsets")
            ranges.append((lo + i, lo + j, kind, len(data)))
            data.extend(segment_data(values[i:j + 1], kind))
    return ranges, data


def emit_array(out, ctype, name, values, per_line=16):
    out.append("const %s %s[%d] = {" % (ctype, name, len(values)))
    for i in range(0, len(values), per_line):
        out.append(",".join(str(v) for v in values[i:i + per_line]) + ",")
    out.append("};")


def main():
    out = [
        "// Generated by tools/gen_codepages.py from Python's codecs; do not edit by hand.",
        '#include "OB_CodePageData.h"',
        "",
        "namespace {",
        "",
    ]
    records = []
    for cp in CODE_PAGES:
        decode, leads, encode = read_mapping(cp)
        codes = sorted(decode)
        unicodes = sorted(encode)
        got = (codes[0], codes[-1], unicodes[0], unicodes[-1])
        if got != EXPECTED[cp]:
            sys.exit("cp%d: header range %s, expected %s" % (cp, [hex(v) for v in got], [hex(v) for v in EXPECTED[cp]]))
        first, ranges, ddata = build_decode(decode, leads)
        eranges, edata = build_encode(encode)
        double = cp in DOUBLE_BYTE
        out.append("// cp%d: %d characters, %d lead bytes" % (cp, len(decode), len(leads)))
        out.append("const _OB_CODEPAGE_HEADER kHeader%d = {%d, 1, %d, %d, %s, %d, %d, 63, %d, %d, 63};" % (
            cp, cp, 2 if double else 1, 2 if double else 1, "true" if double else "false",
            codes[0], codes[-1], unicodes[0], unicodes[-1]))
        emit_array(out, "uint32_t", "kFirst%d" % cp, first, 8)
        emit_array(out, "uint32_t", "kTrails%d" % cp, ranges or [0], 8)
        emit_array(out, "uint16_t", "kDecodeData%d" % cp, ddata or [0])
        out.append("const _OB_CODEPAGE_DECODEMAP kDecode%d = {kFirst%d, kTrails%d, kDecodeData%d};" % (cp, cp, cp, cp))
        flat = [v for r in eranges for v in r]
        emit_array(out, "uint16_t", "kEncodeRanges%d" % cp, flat)
        emit_array(out, "uint16_t", "kEncodeData%d" % cp, edata or [0])
        out.append("const _OB_CODEPAGE_ENCODEMAP kEncode%d = {%d, kEncodeRanges%d, kEncodeData%d};" % (
            cp, len(eranges), cp, cp))
        out.append("")
        records.append("{&kHeader%d, &kDecode%d, &kEncode%d}" % (cp, cp, cp))
        print("cp%d: %d characters, %d trail ranges, %d decode units, %d encode ranges, %d encode units" % (
            cp, len(decode), len(ranges), len(ddata), len(eranges), len(edata)))
    out.append("} // namespace")
    out.append("")
    out.append("const _OB_CODEPAGE g_OB_CodePages[OB_CODEPAGE_COUNT] = {")
    out.extend("    %s," % r for r in records)
    out.append("};")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "core", "text", "OB_CodePageData.cpp")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
