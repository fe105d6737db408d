# Works out, independently of the program, the figures of the closed traverse with a misclosure in
# both X and Y (compass and transit rule) that AdjustTraverseTest checks.  Run: python3 <this file>
import math
def rnd3(v):
    u = math.floor(abs(v)*1000 + 0.5 + 1e-9)
    return math.copysign(u/1000, v) if u else 0.0
def dirsec(p, q):  # direction p->q in seconds, clockwise from north (X)
    a = math.degrees(math.atan2(q[1]-p[1], q[0]-p[0])) % 360
    return a*3600
true = {'A': (1000.0, 1000.0), 'B': (1100.0, 1020.0), 'C': (1060.0, 1130.0), 'D': (960.0, 1090.0)}
order = ['A', 'D', 'C', 'B', 'A']
back = 'B'
# observed angle at each station from backsight clockwise to the forward station
angles = []
prev = 'B'
for i in range(4):
    at, fw = order[i], order[i+1]
    a = (dirsec(true[at], true[fw]) - dirsec(true[at], true[prev])) % (360*3600)
    angles.append(round(a))
    prev = at
print("true angle sum", sum(angles) - 360*3600)
angles[3] -= sum(angles) - 360*3600   # exact sum first
angles[1] += 6                          # then 6" too much observed
dist = [math.dist(true[order[i]], true[order[i+1]]) for i in range(4)]
dist = [round(d, 3) + e for d, e in zip(dist, [0.031, -0.022, -0.027, 0.014])]
def dms(s):
    d, r = divmod(int(s), 3600); m, s2 = divmod(r, 60); return "%d.%02d%02d" % (d, m, s2)
print("angles", [dms(a) for a in angles], "dist", ["%.3f" % d for d in dist])
incoming = dirsec(true['B'], true['A'])
print("incoming start direction (B->A) exact", incoming/3600, dms(round(incoming)))
inc = round(incoming)
w = (inc + 180*3600) % (360*3600)
n = 4
eps = (n-2)*180*3600 - sum(angles)
q1 = math.ceil(abs(eps)/n); q0 = math.floor(abs(eps)/n + 1e-7); r = abs(eps) % n
corr = [math.copysign(q1 if k < r else q0, eps) for k in range(n)]
adj = [a + c for a, c in zip(angles, corr)]
print("eps", eps, "corrections", corr)
alpha = []
a = (adj[0] + w) % (360*3600); alpha.append(a)
for k in range(1, n):
    a = (alpha[-1] + adj[k] + 180*3600) % (360*3600); alpha.append(a)
# Latitudes and departures unrounded: the misclosures, closure and ratio come from what is spread.
dX = [d*math.cos(math.radians(al/3600)) for d, al in zip(dist, alpha)]
dY = [d*math.sin(math.radians(al/3600)) for d, al in zip(dist, alpha)]
fx = sum(dX); fy = sum(dY); L = sum(dist)
f = math.hypot(fx, fy)
print("misclosure shown (measured - expected)", -eps)
print("fx %.6f fy %.6f L %.3f f %.6f ratio %d" % (fx, fy, L, f, math.floor(L/f + 1e-7)))
def to_mm(corrected, weights, known_mm):
    # each corrected leg to the millimetre, the millimetres left over one by one to the largest shares
    mm = [math.floor(abs(v)*1000 + 0.5) * (1 if v >= 0 else -1) for v in corrected]
    left = known_mm - sum(mm)
    order = sorted(range(len(mm)), key=lambda k: -weights[k])
    i = 0
    while left:
        step = 1 if left > 0 else -1
        mm[order[i % len(order)]] += step; left -= step; i += 1
    return mm
def stations(wx, wy):
    lx = to_mm([dX[k] - wx[k]*fx for k in range(n)], wx, 0)
    ly = to_mm([dY[k] - wy[k]*fy for k in range(n)], wy, 0)
    X, Y = [1000.0], [1000.0]
    x, y = 1000000, 1000000
    for k in range(n-1):
        x += lx[k]; y += ly[k]; X.append(x/1000); Y.append(y/1000)
    return X, Y
res = {}
res['compass'] = stations([d/L for d in dist], [d/L for d in dist])
sx = sum(abs(v) for v in dX); sy = sum(abs(v) for v in dY)
res['transit'] = stations([abs(v)/sx for v in dX], [abs(v)/sy for v in dY])
def shoot(inst, orient_sec, h_sec, s):
    d = math.radians((orient_sec + h_sec + 180*3600) / 3600)
    return rnd3(inst[0] + s*math.cos(d)), rnd3(inst[1] + s*math.sin(d))
for rule, (X, Y) in res.items():
    print(rule, ["(%.6f, %.6f)" % p for p in zip(X, Y)])
    # R0 from A with the start orientation (incoming direction), H 45deg, 20 m
    print("  R0", shoot((1000.0, 1000.0), inc, 45*3600, 20.0))
    # R1 from C, backsight B (adjusted), H 30deg, 25 m
    D, C = (X[1], Y[1]), (X[2], Y[2])
    print("  R1 from C back D", shoot(C, dirsec(D, C), 30*3600, 25.0))
