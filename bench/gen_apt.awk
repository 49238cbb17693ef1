# Writes a generated APT program: N moves of 3 values (AXES=3) or 6 values (AXES=5), 4 decimals.
# SMOOTH=1 turns the tool axis slowly, as a five-axis finishing pass does (AXES=5).
# awk -v N=1000000 -v AXES=3 -f gen_apt.awk > out.apt
BEGIN {
  printf "PARTNO BENCH\r\nCUTTER/10\r\nLOADTL/1\r\nSPINDL/12000,CLW\r\nFEDRAT/2500,MMPM\r\n"
  srand(17)
  x = 0; y = 0; z = 5
  for (n = 1; n <= N; n++) {
    x += rand() * 2 - 1; y += rand() * 2 - 1; z = -2 + rand() * 4
    if (AXES == 5 && SMOOTH) {
      a = 0.26 + 0.17 * sin(n / 300); c = 0.7 * sin(n / 500)
      printf "GOTO/%.4f,%.4f,%.4f,%.6f,%.6f,%.6f\r\n", x, y, z, sin(a) * cos(c), sin(a) * sin(c), cos(a)
    } else if (AXES == 5) {
      a = rand() * 0.6; c = rand() * 6.2831853
      printf "GOTO/%.4f,%.4f,%.4f,%.6f,%.6f,%.6f\r\n", x, y, z, sin(a) * cos(c), sin(a) * sin(c), cos(a)
    } else {
      printf "GOTO/%.4f,%.4f,%.4f\r\n", x, y, z
    }
  }
  printf "END\r\nFINI\r\n"
}
