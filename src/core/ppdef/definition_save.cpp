#include <cfloat>
#include <cmath>
#include <limits>

#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/common/text_file_format.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_file.h"
#include "core/ppdef/definition_keys.h"
#include "core/ppdef/number_text.h"

namespace ordalis::ppdef {

namespace {

using D = PostProcessorDefinition;

// The fields that must hold a valid number before anything is written.
constexpr std::string_view kNumericFields[] = {
    "ToleranceCalcul",  "NUM_ORIGINE",      "NUM_INCR",          "NUM_MAX",
    "PP_LIMIT_AB_MINI", "PP_LIMIT_AB_MAXI", "PP_LIMIT_C_MINI",   "PP_LIMIT_C_MAXI",
    "PP_HEAD_ANGLE",    "PP_PIVOT_LENGTH",  "PP_TABLE_CENTER_X", "PP_TABLE_CENTER_Y",
    "PP_TABLE_CENTER_Z"};

std::string_view FieldText(const DefinitionFields& fields, std::string_view key) {
  const auto it = fields.text.find(key);
  return it == fields.text.end() ? std::string_view() : std::string_view(it->second);
}

bool Checked(const DefinitionFields& fields, std::string_view key) {
  const auto it = fields.checked.find(key);
  return it != fields.checked.end() && it->second;
}

bool FieldIsValid(const DefinitionKey& key, std::string_view text) {
  double v = 0;
  if (!ParseFieldNumber(text, v)) return false;
  if (key.type == KeyType::kSingle) return std::fabs(v) <= FLT_MAX;
  if (key.type == KeyType::kInt16) {
    const long long n = common::RoundHalfEven(v);
    return n >= std::numeric_limits<std::int16_t>::min() &&
           n <= std::numeric_limits<std::int16_t>::max();
  }
  return true;
}

// One-line texts cannot carry a line break into a key line.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// The number of an enumeration whose displayed text is `shown`, or 0 when no catalogue text of
// the current language matches (an empty catalogue text never matches).
int MatchCatalogue(const DefinitionKey& key, std::string_view shown, const l10n::Strings& strings) {
  for (int n = 1; n <= key.catalogueCount; ++n) {
    if (key.name == kKinematicsKey && n == kKinematicsMultiFunction) continue;
    const std::string text = strings.get(key.catalogueBase + n);
    if (!text.empty() && text == shown) return n;
  }
  return 0;
}

std::string StoreInteger(const DefinitionKey& key, const DefinitionFields& fields, D& def,
                         const l10n::Strings& strings) {
  std::int16_t& field = def.*std::get<std::int16_t D::*>(key.member);
  if (key.catalogueBase != 0) {
    const int n = MatchCatalogue(key, FieldText(fields, "TXT_" + std::string(key.name)), strings);
    if (n != 0) field = static_cast<std::int16_t>(n);
  } else {
    const long long n = common::RoundHalfEven(common::ReadNumber(FieldText(fields, key.name)));
    if (n >= std::numeric_limits<std::int16_t>::min() &&
        n <= std::numeric_limits<std::int16_t>::max()) {
      field = static_cast<std::int16_t>(n);
    }
  }
  return std::to_string(field);
}

// Stores one field into the definition and returns the text the file receives.
std::string StoreKey(const DefinitionKey& key, const DefinitionFields& fields, D& def,
                     const l10n::Strings& strings) {
  const std::string_view typed = FieldText(fields, key.name);
  double number = 0;
  switch (key.type) {
    case KeyType::kText: {
      std::string& field = def.*std::get<std::string D::*>(key.member);
      field = key.name == "Version" ? ProgramVersion() : OneLine(typed);
      if (key.name == "PP_ORDER" && field.size() != kAddressCount) field = kDefaultOrder;
      return field;
    }
    case KeyType::kLines: {
      std::string& field = def.*std::get<std::string D::*>(key.member);
      field = key.name == "MODE" ? NormaliseModeField(typed) : common::NormaliseLineBreaks(typed);
      return common::ReplaceAll(field, "\r\n", "&n");
    }
    case KeyType::kInt16:
      return StoreInteger(key, fields, def, strings);
    case KeyType::kSingle: {
      ParseFieldNumber(typed, number);
      float& field = def.*std::get<float D::*>(key.member);
      field = static_cast<float>(number);
      return FormatDecimal(field, kSingleDigits);
    }
    case KeyType::kDouble: {
      ParseFieldNumber(typed, number);
      def.*std::get<double D::*>(key.member) = number;
      return FormatDecimal(number, kDoubleDigits);
    }
    case KeyType::kFlag:
      def.*std::get<bool D::*>(key.member) = Checked(fields, key.name);
      return Checked(fields, key.name) ? "1" : "0";
    case KeyType::kSeparator:
      def.*std::get<std::string D::*>(key.member) = Checked(fields, key.name) ? " " : "";
      return Checked(fields, key.name) ? "1" : "0";
    case KeyType::kNumberText:
      def.*std::get<std::string D::*>(key.member) = Checked(fields, key.name) ? "1" : "0";
      return Checked(fields, key.name) ? "1" : "0";
  }
  return {};
}

}  // namespace

SaveResult SaveDefinition(const std::string& path, const DefinitionFields& fields,
                          PostProcessorDefinition& def, const l10n::Strings& strings) {
  for (std::string_view name : kNumericFields) {
    if (!FieldIsValid(*FindDefinitionKey(name), FieldText(fields, name))) {
      return {SaveResult::Status::kInvalidField, std::string(name)};
    }
  }
  common::ProfileFile file;
  // A file that exists but cannot be read is never replaced by one that lost its other lines.
  const bool readable = common::ProfileFile::tryLoad(path, file);

  for (const DefinitionKey& key : kDefinitionKeys) {
    const std::string value = StoreKey(key, fields, def, strings);
    file.set(key.section, key.name, value);
    if (key.name == "MODE") def.ModeTable = ParseModeTable(value);
  }
  ApplyAddressOrder(def);
  ApplyKinematics(def);
  def.XDiameterFactor = def.OPTION_CODAGE_X_AU_DIAMETRE ? 2 : 1;
  // The file keeps the typed 0, which the next load turns into 0.01; the definition in memory
  // must not run a conversion with a zero tolerance meanwhile.
  if (def.ToleranceCalcul == 0) def.ToleranceCalcul = 0.01;

  def.colours = fields.colours;
  for (int tree : kColourFileOrder) {
    file.set(kColourSection, kColourKeys[tree], std::to_string(def.colours[tree]));
  }
  if (!readable || !file.save(path)) return {SaveResult::Status::kWriteFailed, {}};
  return {};
}

DefinitionFields FieldsFromDefinition(const PostProcessorDefinition& def) {
  DefinitionFields fields;
  for (const DefinitionKey& key : kDefinitionKeys) {
    const std::string name(key.name);
    switch (key.type) {
      case KeyType::kText:
      case KeyType::kLines:
        if (key.name == "MODE") {
          fields.text[name] = ModeFieldText(def.MODE);
        } else if (key.name != "Version") {
          fields.text[name] = def.*std::get<std::string D::*>(key.member);
        }
        break;
      case KeyType::kInt16:
        if (key.catalogueBase == 0) {
          fields.text[name] = std::to_string(def.*std::get<std::int16_t D::*>(key.member));
        }
        break;
      case KeyType::kSingle:
        fields.text[name] = FormatDecimal(def.*std::get<float D::*>(key.member), kSingleDigits);
        break;
      case KeyType::kDouble:
        fields.text[name] = FormatDecimal(def.*std::get<double D::*>(key.member), kDoubleDigits);
        break;
      case KeyType::kFlag:
        fields.checked[name] = def.*std::get<bool D::*>(key.member);
        break;
      case KeyType::kSeparator:
        fields.checked[name] = def.PP_SPACE == " ";
        break;
      case KeyType::kNumberText:
        fields.checked[name] = common::ReadNumber(def.OPTION_CYCLE_RAPIDE) != 0;
        break;
    }
  }
  fields.colours = def.colours;
  return fields;
}

}  // namespace ordalis::ppdef
