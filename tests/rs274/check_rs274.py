"""Checks LinuxCNC programs written by ordalis-post against the APT programs they came from.

Each APT program is converted with data/ppc/linuxcnc_mill.ppc; LinuxCNC's stand-alone interpreter
(rs274 -g) reads the result and prints its canonical moves. The interpreter itself rejects arcs whose
end does not lie on the circle through the start. On top of that, every APT move must be found in
order among the canonical moves:
  - a feed GOTO is the next feed move, starting where the previous APT point left the tool;
  - a rapid GOTO is reached by traverses (templates may split it or retract first);
  - an arc (CIRCLE then GOTO) is the next move, an arc with the APT centre, end and direction,
    start and end on the same radius (and on the APT radius when the CIRCLE gives one);
  - a hole of a canned cycle is approached at the clearance plane and drilled exactly to its depth,
    without any feed move leaving the hole's axis or going deeper.
Usage: check_rs274.py POST SOURCE_DIR WORK_DIR PROGRAM.apt...
"""
import math
import os
import re
import subprocess
import sys

TOL = 0.0006  # half the output's 0.001 step, plus rs274's printing to 4 decimals
RADIUS_TOL = 0.0015  # two rounded points on one circle


class Mismatch(Exception):
    pass


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def statements(path):
    """APT statements with continuation lines joined and $$ comments removed."""
    text = open(path, 'rb').read().decode('cp1252')
    pending = ''
    for raw in text.splitlines():
        line = raw.split('$$', 1)[0].rstrip()
        if line.endswith('$'):
            pending += line[:-1]
            continue
        line = (pending + line).strip()
        pending = ''
        if line:
            yield line


def items(statement):
    return [s.strip() for s in statement.split('/', 1)[1].split(',')] if '/' in statement else []


def cycle_heights(words):
    """Depth and clearance of a CYCLE statement, for the layouts the examples use."""
    kind, n = words[0], len(words)
    if number(words[1]) is not None:
        if kind == 'DRILL' and n == 5 and number(words[3]) > 0:
            return number(words[1]), number(words[4])
        if n == 5:
            return number(words[1]), number(words[2])
        raise Mismatch('CYCLE layout not known to the checker: %s' % ','.join(words))
    depth = clearance = 0.0
    for k in range(1, n - 1, 2):
        if words[k] in ('DEPTH', 'FEDTO', 'BOTTOM'):
            depth = number(words[k + 1])
        elif words[k] in ('CLEAR', 'RAPTO', 'FAST'):
            clearance = number(words[k + 1])
    return depth, clearance


def apt_events(path):
    """The moves of an APT program: ('feed'|'rapid', p), ('arc', p, centre, k, radius), ('hole', ...)."""
    events, rapid, circle, cycle = [], False, None, None
    for st in statements(path):
        word = st.split('/', 1)[0].strip()
        args = items(st)
        if word == 'RAPID':
            rapid = True
        elif word == 'CIRCLE':
            v = [number(a) for a in args]
            if len(v) == 4:  # CIRCLE/xc,yc,zc,r turns about the working-plane normal
                circle = (v[0:3], None, v[3])
            else:
                circle = (v[0:3], tuple(v[3:6]), v[6] if len(v) > 6 else None)
        elif word == 'CYCLE':
            cycle = None if args[0] == 'OFF' else cycle_heights(args)
            rapid = False
        elif word == 'GOTO':
            p = tuple(number(a) for a in args[:3])
            if cycle is not None:
                events.append(('hole', p, cycle[0], cycle[1]))
            elif circle is not None:
                events.append(('arc', p, tuple(circle[0]), circle[1], circle[2]))
            else:
                events.append(('rapid' if rapid else 'feed', p))
            rapid, circle = False, None
    return events


CANON = re.compile(r'(STRAIGHT_TRAVERSE|STRAIGHT_FEED|ARC_FEED|SELECT_PLANE)\(([^)]*)\)')

# For each plane of SELECT_PLANE: the axes (0 X, 1 Y, 2 Z) of ARC_FEED's first and second
# coordinates and of its axis end point. Its rotation turns about the plane's positive normal.
PLANES = {'CANON_PLANE_XY': (0, 1, 2), 'CANON_PLANE_XZ': (2, 0, 1), 'CANON_PLANE_YZ': (1, 2, 0)}


def canonical_moves(text):
    moves, plane = [], PLANES['CANON_PLANE_XY']
    for m in CANON.finditer(text):
        if m.group(1) == 'SELECT_PLANE':
            plane = PLANES.get(m.group(2).strip(), plane)
            continue
        v = [float(x) for x in m.group(2).split(',')]
        if m.group(1) == 'ARC_FEED':
            end, centre = [0.0] * 3, [None] * 3
            first, second, normal = plane
            end[first], end[second], end[normal] = v[0], v[1], v[5]
            centre[first], centre[second] = v[2], v[3]
            moves.append(('A', tuple(end), tuple(centre), int(v[4]), normal))
        else:
            moves.append(('T' if m.group(1) == 'STRAIGHT_TRAVERSE' else 'F', tuple(v[:3])))
    return moves


def near(a, b, tol=TOL):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


class Walker:
    def __init__(self, moves):
        self.moves, self.i, self.pos = moves, 0, (0.0, 0.0, 0.0)
        self.counts = {'feed': 0, 'rapid': 0, 'arc': 0, 'hole': 0}

    def take(self):
        if self.i >= len(self.moves):
            raise Mismatch('the program ends before this move')
        move = self.moves[self.i]
        self.i += 1
        start, self.pos = self.pos, move[1]
        return move, start

    def peek(self):
        return self.moves[self.i] if self.i < len(self.moves) else None

    def feed(self, p, previous):
        if near(self.pos, p):
            return
        move, start = self.take()
        if move[0] != 'F' or not near(move[1], p) or (previous and not near(start, previous)):
            raise Mismatch('expected a feed move %s -> %s, found %s from %s' % (previous, p, move, start))

    def rapid(self, p):
        while not near(self.pos, p):
            move, _ = self.take()
            if move[0] != 'T':
                raise Mismatch('expected traverses to %s, found %s' % (p, move))

    def arc(self, p, centre, k, radius, previous):
        move, start = self.take()
        if move[0] != 'A':
            raise Mismatch('expected an arc to %s, found %s' % (p, move))
        end, c, rotation, normal = move[1], move[2], move[3], move[4]
        plane = [i for i in range(3) if i != normal]
        if (previous and not near(start, previous)) or not near(end, p) or \
                not near([c[i] for i in plane], [centre[i] for i in plane]):
            raise Mismatch('arc %s -> %s about %s written as %s -> %s about %s'
                           % (previous, p, centre, start, end, c))
        # The APT axis along the plane's positive normal turns counter-clockwise (rotation > 0).
        along = 1.0 if k is None else k[normal]
        if (rotation > 0) != (along > 0):
            raise Mismatch('arc to %s turns the wrong way (rotation %d, axis %s)' % (p, rotation, k))
        r1 = math.hypot(*[start[i] - c[i] for i in plane])
        r2 = math.hypot(*[end[i] - c[i] for i in plane])
        if abs(r1 - r2) > RADIUS_TOL or (radius is not None and abs(r1 - radius) > RADIUS_TOL):
            raise Mismatch('arc to %s: radii %.4f and %.4f, APT radius %s' % (p, r1, r2, radius))

    def hole(self, p, depth, clearance):
        x, y, top = p
        bottom, r_plane = top - depth, top + clearance
        ceiling = max(r_plane, self.pos[2])  # a G98 retract goes back to the level of the call
        while not near(self.pos, (x, y, r_plane)):  # the approach: traverses only
            move, _ = self.take()
            if move[0] != 'T':
                raise Mismatch('hole %s: %s before reaching R%.3f over the hole' % (p, move, r_plane))
        deepest = self.pos[2]
        while True:
            move = self.peek()
            if move is None or move[0] == 'A' or not near(move[1][:2], (x, y)):
                break
            z = move[1][2]
            drilled = abs(deepest - bottom) <= TOL
            if drilled and (z < self.pos[2] - TOL or z > ceiling + TOL):
                break  # the hole is done: what follows belongs to the next statement
            if z < bottom - TOL or z > (ceiling if drilled else r_plane) + TOL:
                raise Mismatch('hole %s: %s outside R%.3f..Z%.3f' % (p, move, r_plane, bottom))
            self.take()
            if move[0] == 'F':
                deepest = min(deepest, z)
        if abs(deepest - bottom) > TOL:
            raise Mismatch('hole %s drilled to Z%.4f instead of Z%.4f' % (p, deepest, bottom))

    def finish(self):
        for move in self.moves[self.i:]:
            if move[0] != 'T':
                raise Mismatch('a cutting move the APT program does not have: %s' % (move,))


def tool_table(path):
    with open(path, 'w') as f:
        for t in range(1, 100):
            f.write('T%d P%d Z0 D10 ;tool %d\n' % (t, t, t))


def check(post, source, work, program):
    name = os.path.splitext(os.path.basename(program))[0]
    out = os.path.join(work, name + '.ngc')
    ppc = os.path.join(source, 'data', 'ppc', 'linuxcnc_mill.ppc')
    run = subprocess.run([post, '--ini', os.path.join(work, 'none.ini'), '--ppc', ppc, '-o', out,
                          program], capture_output=True)
    if run.returncode != 0:
        raise Mismatch('ordalis-post ended with %d' % run.returncode)
    table = os.path.join(work, 'tools.tbl')
    tool_table(table)
    # rs274 shares its tool table through $HOME/.tool.mmap: a HOME of its own keeps other runs
    # (other tool tables) out of this one.
    rs = subprocess.run(['rs274', '-g', '-t', table, out], capture_output=True, cwd=work,
                        stdin=subprocess.DEVNULL, env=dict(os.environ, HOME=work))
    text = rs.stdout.decode('latin-1') + rs.stderr.decode('latin-1')
    if rs.returncode != 0 or 'PROGRAM_END()' not in text:
        errors = [l for l in text.splitlines() if not re.match(r'\s*\d+ N', l) and l.strip()]
        raise Mismatch('rs274 rejects %s: %s' % (out, ' | '.join(errors[-3:])))
    walker = Walker(canonical_moves(text))
    previous = None
    for event in apt_events(program):
        kind, p = event[0], event[1]
        if kind == 'feed':
            walker.feed(p, previous)
        elif kind == 'rapid':
            walker.rapid(p)
        elif kind == 'arc':
            walker.arc(p, event[2], event[3], event[4], previous)
        else:
            walker.hole(p, event[2], event[3])
        walker.counts[kind] += 1
        previous = walker.pos if kind == 'hole' else p
    walker.finish()
    return walker.counts


def main(argv):
    post, source, work, programs = argv[1], argv[2], argv[3], argv[4:]
    os.makedirs(work, exist_ok=True)
    passed = failed = 0
    for program in programs:
        try:
            counts = check(post, source, work, program)
            passed += 1
            print('ok   %s: %s' % (os.path.basename(program),
                                  ', '.join('%d %s' % (v, k) for k, v in counts.items())))
        except Mismatch as e:
            failed += 1
            print('FAIL %s: %s' % (os.path.basename(program), e))
    print('%d passed, %d failed' % (passed, failed))
    return 1 if failed or not programs else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
