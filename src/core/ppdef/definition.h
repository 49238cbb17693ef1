#pragma once
// PostProcessorDefinition: everything that makes the output fit one machine and controller.
// Field names keep the definition file's key names. Line-type fields hold real CR LF breaks.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/ppdef/colour_scheme.h"

namespace ordalis::ppdef {

/// Letters of the address order, in the order AddressPosition is indexed.
enum AddressLetter { kN, kG, kX, kY, kZ, kI, kJ, kK, kR, kA, kB, kC, kF, kAddressCount };
inline constexpr const char* kDefaultOrder = "NGXYZIJKRABCF";

struct ModeEntry {
  std::string match;
  std::string output;
};

struct PostProcessorDefinition {
  // GENERAL
  std::string Version;
  std::string PP_NOM;
  std::string PP_COMMENT_1;
  std::string PP_COMMENT_2;
  std::string PP_COMMENTAIRE;  // lines
  std::string EXTENSION_ISO_FILE;
  std::string EXTENSION_APT_FILE;
  std::string Repertoire_APT;
  std::string Repertoire_ISO;
  std::string PP_SPACE;  // the word separator: " " or ""
  std::string PP_F;
  std::string PP_CODE_F;
  // Feed modes: the codes of feed per minute and per revolution, and the per-revolution format.
  // Optional: without them a feed per revolution is written as PP_F gives it.
  std::string PP_FEED_MIN, PP_FEED_REV, PP_F_REV;
  std::string PP_S;
  double ToleranceCalcul = 0.01;
  std::string FORMAT_PP_N;
  bool OPTION_SORTIE_N_COMMENT = false;
  bool OPTION_RAPIDE = false;
  bool OPTION_FLUID = false;
  bool OPTION_COMPR_SPEED = false;
  bool OPTION_COMMENTAIRE = false;
  bool OPTION_SORTIE_N = false;
  bool OPTION_TRAITEMENT_TOOLNO = false;
  bool OPTION_TRAITEMENT_CUTTER = false;
  float NUM_ORIGINE = 0;
  std::int16_t NUM_INCR = 0;
  float NUM_MAX = 0;
  bool OPTION_COMPR = false;
  std::string TXT_Type_Postprocesseur;
  std::int16_t Type_Postprocesseur = 0;

  // CODE_M
  std::string PP_FLUID_ON, PP_FLUID_OFF, PP_AIR_ON, PP_AIR_OFF, PP_FLUID_FLOOD, PP_FLUID_AIR;
  std::string PP_FLUID_THRU;  // optional: through-spindle coolant
  std::string PP_OPSTOP, PP_STOP;
  std::string SPINDLE_ON, SPINDLE_OFF;  // lines
  std::string PP_CLAMP_ON, PP_CLAMP_OFF;
  std::string PP_CLAMP_ON_A, PP_CLAMP_OFF_A, PP_CLAMP_ON_B, PP_CLAMP_OFF_B, PP_CLAMP_ON_C,
      PP_CLAMP_OFF_C;
  std::string PP_AUXFUN;
  std::string PP_SPINDLE_OFF, PP_SPINDLE_CW, PP_SPINDLE_CCW;
  std::string PP_CSS_ON, PP_CSS_OFF;  // optional: constant surface speed on (a format) and off

  // DEBUT_FIN (all lines)
  std::string PP_FIN_LIGNE, PP_DEBUT, PP_FIN, PP_FINI, PP_END, PP_PARTNO, PP_REWIND, PREMIER_POINT,
      MACRO_GOHOME;

  // GESTION_OUTIL
  std::string GESTION_TOOLNO, GESTION_CUTTER, CHANGE_OUTIL, RECHARGE_OUTIL, ANNUL_OUTIL;  // lines
  bool OPTION_CORRECTEUR_FIN_LIGNE = false;
  bool OPTION_CORRECTEUR_DEBUT_LIGNE = false;

  // CODE_G
  std::string MODE;  // lines, as written; ModeTable is derived from it
  std::string PP_RCORR_L, PP_RCORR_R, PP_RCORR_OFF;
  std::string PP_G01, PP_G00, PP_G70, PP_G71, PP_G90, PP_G91;
  std::string PP_G54_G57;  // lines
  std::int16_t PP_DEC_ORIGIN = 0;
  std::string PP_ORIGIN, PP_FROM;  // lines
  std::string PP_FMAX, PP_CODE_FMAX;
  std::string PP_ARC_R, PP_ARC_L;
  std::string PP_G17, PP_G18, PP_G19, PP_G17_M, PP_G18_M, PP_G19_M;
  std::string PP_TEMPO;  // lines
  std::string PP_PREFUN;
  std::string FORMAT_CERCLE;  // lines
  // Arcs in G18 and G19 (I/K, J/K); FORMAT_CERCLE serves when they are empty.
  std::string FORMAT_CERCLE_G18, FORMAT_CERCLE_G19;  // lines

  // TORVEL
  std::string MACRO_RAZ, PP_ACTIVATION_RTCP, PP_DESACTIVATION_RTCP, PP_ACTIVATION_PLAN_INCLINE,
      PP_DESACTIVATION_PLAN_INCLINE;     // lines
  std::string TXT_Cinematique_Machine;   // key "TXT_Cinématique_Machine"
  std::int16_t Cinematique_Machine = 0;  // key "Cinématique_Machine"
  double PP_LIMIT_AB_MINI = 0, PP_LIMIT_AB_MAXI = 0, PP_LIMIT_C_MINI = 0, PP_LIMIT_C_MAXI = 0;
  double PP_HEAD_ANGLE = 0;
  std::string TXT_Type_AXE_AB;
  std::int16_t Type_AXE_AB = 0;
  std::string TXT_Type_AXE_C;
  std::int16_t Type_AXE_C = 0;
  // First point of a tool while the tool-centre-point control or an inclined plane is in force
  // (lines; empty: PREMIER_POINT).
  std::string PREMIER_POINT_RTCP, PREMIER_POINT_PLAN_INCLINE;
  // Machine coordinates for controllers without tool-centre-point control.
  bool OPTION_COORDONNEES_MACHINE = false;
  double PP_PIVOT_LENGTH = 0;
  double PP_TABLE_CENTER_X = 0, PP_TABLE_CENTER_Y = 0, PP_TABLE_CENTER_Z = 0;
  std::string PP_FEED_INV;  // inverse-time feed mode code

  // AXES
  std::string FORMAT_PP_INCREMENTAL;
  std::string PP_ORDER = kDefaultOrder;
  std::string FORMAT_PP_X, FORMAT_PP_Y, FORMAT_PP_Z, FORMAT_PP_I, FORMAT_PP_J, FORMAT_PP_K,
      FORMAT_PP_A, FORMAT_PP_B, FORMAT_PP_C, FORMAT_PP_R;
  bool OPTION_CODAGE_INCREMENTAL = false;
  bool OPTION_CODAGE_X_AU_DIAMETRE = false;

  // CYCLE
  std::string PP_CYCLE;
  std::string PP_CYCLE_DRILL, PP_CYCLE_OFF, PP_CYCLE_TAP, PP_CYCLE_BORE, PP_CYCLE_CSINK,
      PP_CYCLE_DEEPCL, PP_CYCLE_DEEPBK, PP_CYCLE_REAM, PP_CYCLE_THREAD, PP_CYCLE_MILL;  // lines
  std::string OPTION_CYCLE_RAPIDE;  // held as the number's text

  // COULEUR
  ColourTable colours{};

  // Derived at load time.
  std::vector<ModeEntry> ModeTable;
  std::array<int, kAddressCount> AddressPosition{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  std::array<bool, 3> RotaryAxisInUse{false, false, false};  // A, B, C
  int XDiameterFactor = 1;

  std::int32_t colour(Colour c) const { return colours[static_cast<int>(c)]; }
};

}  // namespace ordalis::ppdef
