(part1.a) (part1.a.nc)
T1 M6
G0 X1.000 Y2.000
G43 H1 Z3.000
G1 X4.000
M2
(END part1.a)
