#include "core/ppdef/colour_scheme.h"

namespace ordalis::ppdef {

const std::array<std::string_view, kColourCount> kColourKeys = {
    "COULEUR_COMMENT",       "COULEUR_INCONNUE",       "COULEUR_PARTNO", "COULEUR_RAPID",
    "COULEUR_COOLNT",        "COULEUR_TPRINT",         "COULEUR_CUTCOM", "COULEUR_TLAXIS",
    "COULEUR_SPINDL",        "COULEUR_FEDRAT",         "COULEUR_GOTO",   "COULEUR_REWIND",
    "COULEUR_TOOLNO",        "COULEUR_LOADTL",         "COULEUR_END",    "COULEUR_FINI",
    "COULEUR_CYCLE",         "COULEUR_CIRCLE",         "COULEUR_CUTTER", "COULEUR_UNITS",
    "COULEUR_MCS",           "COULEUR_MULTAX",         "COULEUR_SELECT", "COULEUR_FROM",
    "COULEUR_PPFUN",         "COULEUR_PPRINT",         "COULEUR_INSERT", "COULEUR_LOAD",
    "COULEUR_DISPLY",        "COULEUR_OPSTOP",         "COULEUR_STOP",   "COULEUR_DELAY",
    "COULEUR_PREMIER_POINT", "COULEUR_ORIGIN",         "COULEUR_INDIRV", "COULEUR_TLON_GOFWD",
    "COULEUR_AIR",           "COULEUR_CLAMP",          "COULEUR_AUXFUN", "COULEUR_GODLTA",
    "COULEUR_PREFUN",        "COULEUR_GOHOME",         "COULEUR_MODE",   "COULEUR_SEQNO",
    "COULEUR_CYCLE_PT",      "COULEUR_CYCLE_FIRST_PT", "COULEUR_TMARK",  "COULEUR_MSYS",
    "COULEUR_TRACUT",        "COULEUR_DEFTOL",
};

// File position n (0-based) holds the colour of tree position kColourFileOrder[n].
const std::array<int, kColourCount> kColourFileOrder = {
    0,  1,  2,  3,  4,  36, 5,  6,  7,  47, 48, 8,  9,  10, 39, 32, 11,
    12, 13, 27, 14, 15, 16, 44, 45, 17, 18, 19, 20, 21, 22, 23, 24, 25,
    26, 28, 29, 30, 31, 33, 34, 35, 37, 38, 40, 41, 42, 43, 46, 49};

const std::array<int, kColourCount> kColourWordId = {
    611, 612, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0,   0,   0, 0, 0, 0, 0, 613, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace ordalis::ppdef
