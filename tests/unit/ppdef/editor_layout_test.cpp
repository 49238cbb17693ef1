#include "core/ppdef/editor_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/common/text.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_keys.h"
#include "support/test_support.h"

using namespace ordalis;
using ppdef::EditorField;
using ppdef::FieldKind;
using ppdef::KeyType;

namespace {

bool ShownThroughAnotherField(std::string_view key) {
  return key == "Version" || key.substr(0, 4) == "TXT_";
}

bool KindFitsType(const EditorField& field, const ppdef::DefinitionKey& key) {
  switch (field.kind) {
    case FieldKind::kLine:
    case FieldKind::kFolder:
      return key.type == KeyType::kText;
    case FieldKind::kLines:
      return key.type == KeyType::kLines;
    case FieldKind::kCode:
      return key.type == KeyType::kText || key.type == KeyType::kLines;
    case FieldKind::kNumber:
      return key.catalogueBase == 0 &&
             (key.type == KeyType::kInt16 || key.type == KeyType::kSingle ||
              key.type == KeyType::kDouble);
    case FieldKind::kFlag:
      return key.type == KeyType::kFlag || key.type == KeyType::kSeparator ||
             key.type == KeyType::kNumberText;
    case FieldKind::kList:
      return key.catalogueBase != 0;
    case FieldKind::kHeading:
    case FieldKind::kColumnBreak:
      return false;
  }
  return false;
}

}  // namespace

TEST(EditorLayout, EveryKeyOfTheDefinitionHasExactlyOneFieldOfItsKind) {
  std::map<std::string_view, int> seen;
  for (const EditorField& field : ppdef::EditorFields()) {
    ASSERT_GE(field.tab, 1);
    ASSERT_LE(field.tab, ppdef::kEditorTabCount);
    EXPECT_NE(field.tab, ppdef::kColourTab) << field.key << ": the colour tab holds the tree only";
    if (field.kind == FieldKind::kHeading || field.kind == FieldKind::kColumnBreak) continue;
    ++seen[field.key];
    const ppdef::DefinitionKey* key = ppdef::FindDefinitionKey(field.key);
    ASSERT_NE(key, nullptr) << field.key << " is not a key of the definition";
    EXPECT_TRUE(KindFitsType(field, *key)) << field.key;
  }
  for (const ppdef::DefinitionKey& key : ppdef::kDefinitionKeys) {
    if (ShownThroughAnotherField(key.name)) continue;
    EXPECT_EQ(seen[key.name], 1) << key.name
                                 << ": give it one line in the editor layout (editor_layout.cpp)";
  }
}

TEST(EditorLayout, CodeFieldsKeepTheirEditNumbers) {
  const std::map<std::string_view, int> expected = {{"PP_COMMENTAIRE", 10},
                                                    {"SPINDLE_ON", 30},
                                                    {"SPINDLE_OFF", 31},
                                                    {"PP_TEMPO", 40},
                                                    {"PP_G54_G57", 41},
                                                    {"PP_ORIGIN", 42},
                                                    {"PP_FROM", 43},
                                                    {"FORMAT_CERCLE", 44},
                                                    {"FORMAT_CERCLE_G18", 51},
                                                    {"FORMAT_CERCLE_G19", 52},
                                                    {"PP_G17", 45},
                                                    {"PP_G17_M", 46},
                                                    {"PP_G18", 47},
                                                    {"PP_G18_M", 48},
                                                    {"PP_G19", 49},
                                                    {"PP_G19_M", 50},
                                                    {"PP_RCORR_OFF", 60},
                                                    {"PP_RCORR_L", 61},
                                                    {"PP_RCORR_R", 62},
                                                    {"GESTION_TOOLNO", 63},
                                                    {"CHANGE_OUTIL", 64},
                                                    {"RECHARGE_OUTIL", 65},
                                                    {"ANNUL_OUTIL", 66},
                                                    {"GESTION_CUTTER", 67},
                                                    {"PP_ACTIVATION_RTCP", 70},
                                                    {"PP_DESACTIVATION_RTCP", 71},
                                                    {"PP_ACTIVATION_PLAN_INCLINE", 72},
                                                    {"PP_DESACTIVATION_PLAN_INCLINE", 73},
                                                    {"PP_CYCLE_OFF", 80},
                                                    {"PP_CYCLE", 81},
                                                    {"PP_CYCLE_DRILL", 82},
                                                    {"PP_CYCLE_TAP", 83},
                                                    {"PP_CYCLE_DEEPBK", 84},
                                                    {"PP_CYCLE_DEEPCL", 85},
                                                    {"PP_CYCLE_CSINK", 86},
                                                    {"PP_CYCLE_REAM", 87},
                                                    {"PP_CYCLE_BORE", 88},
                                                    {"PP_CYCLE_THREAD", 89},
                                                    {"PP_CYCLE_MILL", 890},
                                                    {"PP_DEBUT", 90},
                                                    {"PP_FIN", 91},
                                                    {"PP_PARTNO", 92},
                                                    {"PP_FINI", 93},
                                                    {"PP_END", 94},
                                                    {"PP_REWIND", 95},
                                                    {"PREMIER_POINT", 110},
                                                    {"MACRO_RAZ", 111},
                                                    {"MACRO_GOHOME", 112},
                                                    {"MODE", 113}};
  std::set<int> numbers;
  for (const EditorField& field : ppdef::EditorFields()) {
    if (field.editNumber == 0) continue;
    EXPECT_EQ(field.kind, FieldKind::kCode) << field.key;
    EXPECT_TRUE(numbers.insert(field.editNumber).second) << field.editNumber << " twice";
  }
  for (const auto& [key, number] : expected) {
    const EditorField* field = ppdef::FindCodeField(number);
    ASSERT_NE(field, nullptr) << number;
    EXPECT_EQ(field->key, key) << number;
  }
  EXPECT_EQ(ppdef::FindCodeField(890)->key, "PP_CYCLE_MILL");
  EXPECT_EQ(ppdef::FindCodeField(90)->key, "PP_DEBUT");
  EXPECT_EQ(ppdef::FindCodeField(0), nullptr);
  EXPECT_EQ(ppdef::FindCodeField(114), nullptr);
}

TEST(EditorLayout, EveryCaptionHasATextInEveryLanguage) {
  std::set<int> ids;
  for (const ppdef::EditorTab& tab : ppdef::EditorTabs()) ids.insert({tab.captionId, tab.frameId});
  for (const EditorField& field : ppdef::EditorFields()) {
    for (int id : {field.labelId, field.toolTipId, field.labelSuffixId, field.buttonTipId}) {
      if (id != 0) ids.insert(id);
    }
  }
  for (int language : {l10n::kEnglish, l10n::kFrench, l10n::kItalian, l10n::kDebug}) {
    for (int id : ids) {
      const char* text = l10n::CatalogueText(id, language);
      EXPECT_TRUE(text != nullptr && *text != '\0') << id << " in " << language;
    }
  }
}

TEST(EditorLayout, NumberFieldsAcceptOnlyWhatSavingCanStore) {
  struct Case {
    std::string_view key, text;
    bool valid;
  };
  const Case cases[] = {
      {"ToleranceCalcul", "0.005", true},  {"ToleranceCalcul", " 1e-3 ", true},
      {"ToleranceCalcul", "", false},      {"ToleranceCalcul", "0,01", false},
      {"ToleranceCalcul", "abc", false},   {"PP_LIMIT_C_MAXI", "-360", true},
      {"PP_HEAD_ANGLE", "45.5", true},     {"NUM_INCR", "10", true},
      {"NUM_INCR", "32767", true},         {"NUM_INCR", "40000", false},
      {"NUM_INCR", "10x", false},          {"NUM_MAX", "99999", true},
      {"NUM_MAX", "1e60", false},          {"PP_DEC_ORIGIN", "53", true},
      {"PP_DEC_ORIGIN", "53 (G54)", true}, {"PP_DEC_ORIGIN", "-1", true},
      {"PP_DEC_ORIGIN", "G55", false},     {"PP_DEC_ORIGIN", "", false},
      {"PP_DEC_ORIGIN", "70000", false},   {"PP_NOM", "1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ppdef::NumberFieldIsValid(c.key, c.text), c.valid) << c.key << " = " << c.text;
  }
}

TEST(EditorLayout, FirstInvalidNumberFieldFollowsTheTabs) {
  ppdef::DefinitionFields fields = ppdef::FieldsFromDefinition(ppdef::PostProcessorDefinition{});
  EXPECT_EQ(ppdef::FirstInvalidNumberField(fields), nullptr);
  fields.text["PP_LIMIT_C_MINI"] = "x";
  fields.text["PP_DEC_ORIGIN"] = "";
  const EditorField* bad = ppdef::FirstInvalidNumberField(fields);
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(bad->key, "PP_DEC_ORIGIN");
  EXPECT_EQ(bad->tab, 4);
}

TEST(EditorLayout, HeadAngleOnlyForUniversalHeads) {
  for (int k = 0; k <= 21; ++k) EXPECT_EQ(ppdef::HasHeadAngle(k), k == 19 || k == 20) << k;
}

TEST(ModeField, ShowsTheEntriesLoadingKeepsAndSavesEveryTypedLine) {
  struct Case {
    std::string_view in, out;
    std::size_t entries;
  };
  const Case shown[] = {
      {"", "", 0},
      {"A/B", "A/B", 1},
      {"MILL/G17\r\n", "MILL/G17\r\n", 1},
      {"A/B\r\nC/D\r\n", "A/B\r\nC/D\r\n", 2},
      {"A/B\r\nC/D", "A/B\r\n", 1},  // C/D never was an entry
  };
  for (const Case& c : shown) EXPECT_EQ(ppdef::ModeFieldText(c.in), c.out) << c.in;

  const Case typed[] = {
      {"A/B\nC/D", "A/B\r\nC/D\r\n", 2},  // the last line typed stays an entry
      {"A/B\rC/D\r\n", "A/B\r\nC/D\r\n", 2},
      {"MILL/G17\n", "MILL/G17\r\n", 1},
      {"X", "X", 1},
      {"", "", 0},
  };
  for (const Case& c : typed) {
    const std::string saved = ppdef::NormaliseModeField(c.in);
    EXPECT_EQ(saved, c.out) << c.in;
    EXPECT_EQ(ppdef::ParseModeTable(common::ReplaceAll(saved, "\r\n", "&n")).size(), c.entries)
        << c.in;
  }
}

TEST(ModeField, SavingKeepsEveryTypedEntryAndLoadingShowsThemBack) {
  test::TempDir dir;
  const std::string path = dir.file("mode.ppc");
  l10n::Strings strings;
  ppdef::PostProcessorDefinition def;
  ppdef::DefinitionFields fields = ppdef::FieldsFromDefinition(def);
  fields.text["MODE"] = "MILL/G17\nTURN/G18";
  ASSERT_TRUE(ppdef::SaveDefinition(path, fields, def, strings).ok());
  EXPECT_NE(test::ReadFile(path).find("\r\nMODE=MILL/G17&nTURN/G18&n\r\n"), std::string::npos);
  ASSERT_EQ(def.ModeTable.size(), 2u);
  EXPECT_EQ(def.ModeTable[1].match, "TURN");
  EXPECT_EQ(def.ModeTable[1].output, "G18");
  EXPECT_EQ(ppdef::FieldsFromDefinition(def).text["MODE"], "MILL/G17\r\nTURN/G18\r\n");
}
