"""An independent reading of registry map files (地図XML) for the tests: Python's own XML parser and
exact fractions, nothing of the program.  For every map of each given .xml or .zip (zips inside zips
included) it prints one line per drawn parcel, "PARCEL<TAB>地番<TAB>area m²", and one line
"POINTS<TAB>n" with the number of distinct points a full import holds: the ring vertices of the drawn
parcels and every 筆界点 and 基準点."""
import io
import sys
import zipfile
import xml.etree.ElementTree as ET
from fractions import Fraction

M = '{http://www.moj.go.jp/MINJI/tizuxml}'
Z = '{http://www.moj.go.jp/MINJI/tizuzumen}'


def xy(element):
    return (Fraction(element.find(Z + 'X').text.strip()), Fraction(element.find(Z + 'Y').text.strip()))


def read_map(data, out):
    root = ET.fromstring(data)
    space = root.find(M + '空間属性')
    points = {p.get('id'): xy(p.find(Z + 'GM_Point.position/' + Z + 'DirectPosition'))
              for p in space.findall(Z + 'GM_Point')}
    curves = {}
    for c in space.findall(Z + 'GM_Curve'):
        vertices = []
        for column in c.iter(Z + 'GM_PointArray.column'):
            ref = column.find(Z + 'GM_Position.indirect/' + Z + 'GM_PointRef.point')
            if ref is not None:
                vertices.append(('p', ref.get('idref')))
            else:
                vertices.append(('d', xy(column.find(Z + 'GM_Position.direct'))))
        curves[c.get('id')] = vertices
    surfaces = {}
    for s in space.findall(Z + 'GM_Surface'):
        exterior = s.find('.//' + Z + 'GM_SurfaceBoundary.exterior')
        surfaces[s.get('id')] = [g.get('idref') for g in exterior.iter(Z + 'GM_CompositeCurve.generator')]

    def coords(v):
        return points[v[1]] if v[0] == 'p' else v[1]

    def key(v):
        return v if v[0] == 'p' else ('d', coords(v))

    subject = root.find(M + '主題属性')
    used = set()
    for fude in subject.findall(M + '筆'):
        chiban = fude.find(M + '地番').text
        shape = fude.find(M + '形状')
        if chiban.startswith('地区外') or chiban.startswith('別図') or shape is None:
            continue
        ring = []
        for n, curve in enumerate(surfaces[shape.get('idref')]):
            vs = curves[curve]
            if not ring:
                ring = list(vs)
            elif key(ring[-1]) == key(vs[0]):
                ring += vs[1:]
            elif key(ring[-1]) == key(vs[-1]):
                ring += list(reversed(vs))[1:]
            else:
                ring.reverse()
                ring += vs[1:] if key(ring[-1]) == key(vs[0]) else list(reversed(vs))[1:]
        assert key(ring[0]) == key(ring[-1])
        ring = ring[:-1]
        c = [coords(v) for v in ring]
        twice = sum(c[i][0] * c[(i + 1) % len(c)][1] - c[(i + 1) % len(c)][0] * c[i][1] for i in range(len(c)))
        out.append('PARCEL\t%s\t%s' % (chiban, float(abs(twice) / 2)))
        used.update(key(v) for v in ring)
    for kind in ('筆界点', '基準点'):
        for p in subject.findall(M + kind):
            used.add(('p', p.find(M + '形状').get('idref')))
    out.append('POINTS\t%d' % len(used))


def read(name, data, out):
    if name.lower().endswith('.zip'):
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            for entry in z.namelist():
                if entry.lower().endswith(('.xml', '.zip')):
                    read(entry, z.read(entry), out)
    elif name.lower().endswith('.xml'):
        read_map(data, out)


lines = []
for path in sys.argv[1:]:
    with open(path, 'rb') as f:
        read(path, f.read(), lines)
sys.stdout.write('\n'.join(lines) + '\n')
