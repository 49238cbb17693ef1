#include "core/ppdef/editor_layout.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/text.h"
#include "core/ppdef/definition_keys.h"
#include "core/ppdef/number_text.h"

namespace ordalis::ppdef {

namespace {

using K = FieldKind;

// Catalogue ids of labels that the catalogue had no text for.
constexpr int kNotesLabel = 5566;
constexpr int kOriginShiftLabel = 5567;
constexpr int kToolnoCodeLabel = 5568;
constexpr int kCutterCodeLabel = 5569;
constexpr int kReamLabel = 5570;
constexpr int kOn = 5522, kOff = 5523;

const EditorTab kTabs[kEditorTabCount] = {
    {5501, 5180}, {5502, 5158}, {5503, 5141}, {5504, 5102}, {5505, 5089}, {5506, 5052},
    {5507, 5066}, {5508, 5019}, {5509, 5008}, {5510, 5007}, {5511, 5002},
};

// One line per field: tab, key, kind, label, tool-tip, edit number, label suffix, button tip.
const EditorField kFields[] = {
    {1, "PP_NOM", K::kLine, 5220, 5205},
    {1, "PP_COMMENT_1", K::kLine, 5219, 5204},
    {1, "PP_COMMENT_2", K::kLine, 5218, 5203},
    {1, "PP_COMMENTAIRE", K::kCode, kNotesLabel, 5251, 10},
    {1, "EXTENSION_ISO_FILE", K::kLine, 5210, 5187},
    {1, "EXTENSION_APT_FILE", K::kLine, 5227, 5202},
    {1, "Repertoire_APT", K::kFolder, 5207, 5182, 0, 0, 5183},
    {1, "Repertoire_ISO", K::kFolder, 5208, 5185, 0, 0, 5184},
    {1, "", K::kColumnBreak, 0, 0},
    {1, "ToleranceCalcul", K::kNumber, 5206, 5181},
    {1, "Type_Postprocesseur", K::kList, 5209, 5186},
    {1, "FORMAT_PP_N", K::kLine, 5217, 5191},
    {1, "NUM_ORIGINE", K::kNumber, 5216, 5190},
    {1, "NUM_INCR", K::kNumber, 5215, 5189},
    {1, "NUM_MAX", K::kNumber, 5214, 5188},
    {1, "OPTION_SORTIE_N", K::kFlag, 5196, 5197},
    {1, "OPTION_SORTIE_N_COMMENT", K::kFlag, 5192, 5193},
    {1, "OPTION_COMPR", K::kFlag, 5194, 5195},
    {1, "PP_SPACE", K::kFlag, 5198, 5199},
    {1, "OPTION_COMMENTAIRE", K::kFlag, 5200, 5201},

    {2, "PP_ORDER", K::kLine, 5212, 5211},
    {2, "", K::kHeading, 5169, 0},
    {2, "FORMAT_PP_X", K::kLine, 5179, 5168},
    {2, "FORMAT_PP_Y", K::kLine, 5178, 5167},
    {2, "FORMAT_PP_Z", K::kLine, 5177, 5166},
    {2, "FORMAT_PP_I", K::kLine, 5176, 5165},
    {2, "FORMAT_PP_J", K::kLine, 5175, 5164},
    {2, "FORMAT_PP_K", K::kLine, 5174, 5163},
    {2, "FORMAT_PP_A", K::kLine, 5173, 5162},
    {2, "FORMAT_PP_B", K::kLine, 5172, 5161},
    {2, "FORMAT_PP_C", K::kLine, 5171, 5160},
    {2, "FORMAT_PP_R", K::kLine, 5170, 5159},
    {2, "", K::kColumnBreak, 0, 0},
    {2, "FORMAT_PP_INCREMENTAL", K::kLine, 5544, 5543},
    {2, "OPTION_CODAGE_INCREMENTAL", K::kFlag, 5545, 5546},
    {2, "OPTION_CODAGE_X_AU_DIAMETRE", K::kFlag, 5553, 5554},

    {3, "PP_CODE_F", K::kLine, 5150, 5142},
    {3, "PP_F", K::kLine, 5154, 5146},
    {3, "PP_FEED_MIN", K::kLine, 5590, 5591},
    {3, "PP_FEED_REV", K::kLine, 5592, 5593},
    {3, "PP_F_REV", K::kLine, 5594, 5595},
    {3, "PP_S", K::kLine, 5153, 5145},
    {3, "PP_SPINDLE_CW", K::kLine, 5156, 5148},
    {3, "PP_SPINDLE_CCW", K::kLine, 5155, 5147},
    {3, "PP_SPINDLE_OFF", K::kLine, 5157, 5149},
    {3, "PP_CSS_ON", K::kLine, 5620, 5621},
    {3, "PP_CSS_OFF", K::kLine, 5622, 5623},
    {3, "OPTION_COMPR_SPEED", K::kFlag, 5512, 5513},
    {3, "", K::kColumnBreak, 0, 0},
    {3, "SPINDLE_ON", K::kCode, 5152, 5144, 30},
    {3, "SPINDLE_OFF", K::kCode, 5151, 5143, 31},

    {4, "PP_G00", K::kLine, 5139, 5121},
    {4, "PP_G01", K::kLine, 5140, 5122},
    {4, "PP_FMAX", K::kLine, 5138, 5120},
    {4, "PP_CODE_FMAX", K::kLine, 5123, 5103},
    {4, "OPTION_RAPIDE", K::kFlag, 5118, 5119},
    {4, "PP_ARC_R", K::kLine, 5136, 5111},
    {4, "PP_ARC_L", K::kLine, 5137, 5112},
    {4, "PP_G90", K::kLine, 5131, 5114},
    {4, "PP_G91", K::kLine, 5130, 5113},
    {4, "PP_G70", K::kLine, 5133, 5116},
    {4, "PP_G71", K::kLine, 5132, 5115},
    {4, "PP_G17", K::kCode, 5128, 5108, 45},
    {4, "PP_G17_M", K::kCode, 5129, 5109, 46},
    {4, "PP_G18", K::kCode, 5126, 5106, 47},
    {4, "PP_G18_M", K::kCode, 5127, 5107, 48},
    {4, "PP_G19", K::kCode, 5124, 5104, 49},
    {4, "PP_G19_M", K::kCode, 5125, 5105, 50},
    {4, "", K::kColumnBreak, 0, 0},
    {4, "FORMAT_CERCLE", K::kCode, 5135, 5110, 44},
    {4, "FORMAT_CERCLE_G18", K::kCode, 5596, 5597, 51},
    {4, "FORMAT_CERCLE_G19", K::kCode, 5598, 5599, 52},
    {4, "PP_G54_G57", K::kCode, 5134, 5117, 41},
    {4, "PP_ORIGIN", K::kCode, 5240, 5238, 42},
    {4, "PP_DEC_ORIGIN", K::kNumber, kOriginShiftLabel, 5239},
    {4, "PP_FROM", K::kCode, 5242, 5241, 43},
    {4, "PP_TEMPO", K::kCode, 5226, 5225, 40},
    {4, "PP_PREFUN", K::kLine, 5540, 5539},

    {5, "PP_FLUID_ON", K::kLine, 5099, 5095},
    {5, "PP_FLUID_OFF", K::kLine, 5098, 5094},
    {5, "PP_FLUID_FLOOD", K::kLine, 5097, 5091},
    {5, "PP_FLUID_AIR", K::kLine, 5096, 5090},
    {5, "PP_FLUID_THRU", K::kLine, 5624, 5625},
    {5, "OPTION_FLUID", K::kFlag, 5092, 5093},
    {5, "PP_AIR_ON", K::kLine, 5245, 5246},
    {5, "PP_AIR_OFF", K::kLine, 5244, 5247},
    {5, "PP_OPSTOP", K::kLine, 5222, 5221},
    {5, "PP_STOP", K::kLine, 5224, 5223},
    {5, "", K::kColumnBreak, 0, 0},
    {5, "PP_CLAMP_ON", K::kLine, 5520, 5527},
    {5, "PP_CLAMP_OFF", K::kLine, 5521, 5528},
    {5, "PP_CLAMP_ON_A", K::kLine, 5524, 5529, 0, kOn},
    {5, "PP_CLAMP_OFF_A", K::kLine, 5524, 5530, 0, kOff},
    {5, "PP_CLAMP_ON_B", K::kLine, 5525, 5531, 0, kOn},
    {5, "PP_CLAMP_OFF_B", K::kLine, 5525, 5532, 0, kOff},
    {5, "PP_CLAMP_ON_C", K::kLine, 5526, 5533, 0, kOn},
    {5, "PP_CLAMP_OFF_C", K::kLine, 5526, 5534, 0, kOff},
    {5, "PP_AUXFUN", K::kLine, 5536, 5535},

    {6, "GESTION_TOOLNO", K::kCode, kToolnoCodeLabel, 5053, 63},
    {6, "OPTION_TRAITEMENT_TOOLNO", K::kFlag, 5056, 5057},
    {6, "GESTION_CUTTER", K::kCode, kCutterCodeLabel, 5228, 67},
    {6, "OPTION_TRAITEMENT_CUTTER", K::kFlag, 5248, 5249},
    {6, "CHANGE_OUTIL", K::kCode, 5062, 5055, 64},
    {6, "RECHARGE_OUTIL", K::kCode, 5243, 5514, 65},
    {6, "ANNUL_OUTIL", K::kCode, 5061, 5054, 66},
    {6, "", K::kColumnBreak, 0, 0},
    {6, "PP_RCORR_R", K::kCode, 5063, 5058, 62},
    {6, "PP_RCORR_L", K::kCode, 5064, 5059, 61},
    {6, "PP_RCORR_OFF", K::kCode, 5065, 5060, 60},
    {6, "OPTION_CORRECTEUR_FIN_LIGNE", K::kFlag, 5537, 5538},
    {6, "OPTION_CORRECTEUR_DEBUT_LIGNE", K::kFlag, 5547, 5548},

    {7, kKinematicsKey, K::kList, 5088, 5077},
    {7, "Type_AXE_AB", K::kList, 5083, 5072},
    {7, "Type_AXE_C", K::kList, 5082, 5071},
    {7, "PP_LIMIT_AB_MINI", K::kNumber, 5087, 5076},
    {7, "PP_LIMIT_AB_MAXI", K::kNumber, 5086, 5075},
    {7, "PP_LIMIT_C_MINI", K::kNumber, 5085, 5074},
    {7, "PP_LIMIT_C_MAXI", K::kNumber, 5084, 5073},
    {7, "PP_HEAD_ANGLE", K::kNumber, 5100, 5101},
    {7, "PP_ACTIVATION_RTCP", K::kCode, 5081, 5070, 70},
    {7, "PP_DESACTIVATION_RTCP", K::kCode, 5080, 5069, 71},
    {7, "PP_ACTIVATION_PLAN_INCLINE", K::kCode, 5079, 5068, 72},
    {7, "PP_DESACTIVATION_PLAN_INCLINE", K::kCode, 5078, 5067, 73},
    {7, "PREMIER_POINT_RTCP", K::kCode, 5600, 5601, 74},
    {7, "PREMIER_POINT_PLAN_INCLINE", K::kCode, 5602, 5603, 75},
    {7, "PP_FEED_INV", K::kLine, 5614, 5615},
    {7, "OPTION_COORDONNEES_MACHINE", K::kFlag, 5604, 5605},
    {7, "PP_PIVOT_LENGTH", K::kNumber, 5606, 5607},
    {7, "PP_TABLE_CENTER_X", K::kNumber, 5608, 5609},
    {7, "PP_TABLE_CENTER_Y", K::kNumber, 5610, 5611},
    {7, "PP_TABLE_CENTER_Z", K::kNumber, 5612, 5613},

    {8, "PP_CYCLE", K::kCode, 5046, 5031, 81},
    {8, "PP_CYCLE_DRILL", K::kCode, 5048, 5033, 82},
    {8, "PP_CYCLE_OFF", K::kCode, 5047, 5032, 80},
    {8, "PP_CYCLE_TAP", K::kCode, 5039, 5024, 83},
    {8, "PP_CYCLE_BORE", K::kCode, 5040, 5027, 88},
    {8, "PP_CYCLE_CSINK", K::kCode, 5037, 5022, 86},
    {8, "PP_CYCLE_DEEPCL", K::kCode, 5041, 5026, 85},
    {8, "PP_CYCLE_DEEPBK", K::kCode, 5038, 5023, 84},
    {8, "PP_CYCLE_REAM", K::kCode, kReamLabel, 5025, 87},
    {8, "PP_CYCLE_THREAD", K::kCode, 5236, 5234, 89},
    {8, "PP_CYCLE_MILL", K::kCode, 5237, 5235, 890},
    {8, "OPTION_CYCLE_RAPIDE", K::kFlag, 5020, 5021},

    {9, "PP_DEBUT", K::kCode, 5018, 5013, 90},
    {9, "PP_FIN", K::kCode, 5017, 5012, 91},
    {9, "PP_FIN_LIGNE", K::kLines, 5016, 5011},
    {9, "", K::kColumnBreak, 0, 0},
    {9, "PP_PARTNO", K::kCode, 5231, 5230, 92},
    {9, "PP_REWIND", K::kCode, 5233, 5232, 95},
    {9, "PP_END", K::kCode, 5015, 5010, 94},
    {9, "PP_FINI", K::kCode, 5014, 5009, 93},

    {11, "MODE", K::kCode, 5550, 5551, 113},
    {11, "MACRO_GOHOME", K::kCode, 5542, 5541, 112},
    {11, "MACRO_RAZ", K::kCode, 5005, 5003, 111},
    {11, "PREMIER_POINT", K::kCode, 5006, 5004, 110},
};

// True when the text starts (after blanks) with a number that saving can read.
bool HasLeadingNumber(std::string_view text) {
  text = common::TrimLeft(text);
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (!text.empty() && text[0] == '.') text.remove_prefix(1);
  return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

}  // namespace

std::span<const EditorTab> EditorTabs() { return kTabs; }
std::span<const EditorField> EditorFields() { return kFields; }

const EditorField* FindEditorField(std::string_view key) {
  for (const EditorField& field : kFields) {
    if (!field.key.empty() && field.key == key) return &field;
  }
  return nullptr;
}

const EditorField* FindCodeField(int editNumber) {
  for (const EditorField& field : kFields) {
    if (field.editNumber != 0 && field.editNumber == editNumber) return &field;
  }
  return nullptr;
}

bool HasHeadAngle(int kinematics) { return kinematics == 19 || kinematics == 20; }

bool NumberFieldIsValid(std::string_view key, std::string_view text) {
  const DefinitionKey* def = FindDefinitionKey(key);
  if (def == nullptr) return false;
  double v = 0;
  if (key == "PP_DEC_ORIGIN") {
    if (!HasLeadingNumber(text)) return false;
    v = common::ReadNumber(text);
  } else if (!ParseFieldNumber(text, v)) {
    return false;
  }
  switch (def->type) {
    case KeyType::kInt16: {
      const long long n = common::RoundHalfEven(v);
      return n >= std::numeric_limits<std::int16_t>::min() &&
             n <= std::numeric_limits<std::int16_t>::max();
    }
    case KeyType::kSingle:
      return std::fabs(v) <= FLT_MAX;
    case KeyType::kDouble:
      return true;
    default:
      return false;
  }
}

const EditorField* FirstInvalidNumberField(const DefinitionFields& fields) {
  for (const EditorField& field : kFields) {
    if (field.kind != FieldKind::kNumber) continue;
    const auto it = fields.text.find(field.key);
    if (!NumberFieldIsValid(field.key, it == fields.text.end() ? "" : it->second)) return &field;
  }
  return nullptr;
}

}  // namespace ordalis::ppdef
