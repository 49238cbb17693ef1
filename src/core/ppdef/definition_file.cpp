#include "core/ppdef/definition_file.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/common/user_prompt.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_keys.h"
#include "core/ppdef/number_text.h"

#ifndef ORDALIS_VERSION_MAJOR
#define ORDALIS_VERSION_MAJOR 0
#endif
#ifndef ORDALIS_VERSION_MINOR
#define ORDALIS_VERSION_MINOR 5
#endif

namespace ordalis::ppdef {

namespace {

using D = PostProcessorDefinition;

constexpr int kOlderVersionMessage = 2116;

// Rotary axes A, B, C present for each kinematics number 1-20 (17, mill-turn: head B, spindle C).
constexpr std::array<std::array<bool, 3>, 20> kKinematicsAxes = {{
    {false, false, false}, {true, true, false}, {true, false, true}, {false, true, true},
    {true, false, true},   {false, true, true}, {true, false, true}, {false, true, true},
    {true, false, true},   {false, true, true}, {true, false, true}, {false, true, true},
    {true, false, true},   {false, true, true}, {true, true, true},  {true, true, true},
    {false, true, true},   {true, true, true},  {true, false, true}, {false, true, true},
}};

// Integer fields keep their previous value when the file's number does not fit them.
template <typename T>
void ReadInteger(std::string_view raw, T& field) {
  const long long v = common::RoundHalfEven(common::ReadNumber(raw));
  if (v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max()) {
    field = static_cast<T>(v);
  }
}

void ReadKey(const DefinitionKey& key, std::string_view raw, PostProcessorDefinition& def) {
  switch (key.type) {
    case KeyType::kText:
      def.*std::get<std::string D::*>(key.member) = std::string(raw);
      break;
    case KeyType::kLines:
      def.*std::get<std::string D::*>(key.member) = common::ReplaceAll(raw, "&n", "\r\n");
      break;
    case KeyType::kInt16:
      ReadInteger(raw, def.*std::get<std::int16_t D::*>(key.member));
      break;
    case KeyType::kFlag: {
      std::int16_t v = (def.*std::get<bool D::*>(key.member)) ? 1 : 0;
      ReadInteger(raw, v);
      def.*std::get<bool D::*>(key.member) = v != 0;
      break;
    }
    case KeyType::kSingle: {
      const double v = common::ReadNumber(raw);
      if (std::fabs(v) <= FLT_MAX) def.*std::get<float D::*>(key.member) = static_cast<float>(v);
      break;
    }
    case KeyType::kDouble:
      def.*std::get<double D::*>(key.member) = common::ReadNumber(raw);
      break;
    case KeyType::kSeparator:
      def.*std::get<std::string D::*>(key.member) = common::ReadNumber(raw) == 1 ? " " : "";
      break;
    case KeyType::kNumberText:
      def.*std::get<std::string D::*>(key.member) =
          FormatDecimal(common::ReadNumber(raw), kDoubleDigits);
      break;
  }
}

}  // namespace

std::string ProgramVersion() {
  return std::to_string(ORDALIS_VERSION_MAJOR) + "." + std::to_string(ORDALIS_VERSION_MINOR);
}

bool IsOlderVersion(std::string_view fileVersion) {
  const double major = common::ReadNumber(common::TextBefore(fileVersion, '.'));
  const double minor = common::ReadNumber(common::TextAfter(fileVersion, '.'));
  if (major != ORDALIS_VERSION_MAJOR) return major < ORDALIS_VERSION_MAJOR;
  return minor < ORDALIS_VERSION_MINOR;
}

std::vector<ModeEntry> ParseModeTable(std::string_view encoded) {
  std::vector<ModeEntry> table;
  auto add = [&table](std::string_view entry) {
    const std::size_t slash = entry.find('/');
    if (slash == std::string_view::npos) {
      table.push_back({std::string(entry), std::string(entry)});
    } else {
      table.push_back({std::string(entry.substr(0, slash)), std::string(entry.substr(slash + 1))});
    }
  };
  if (encoded.find("&n") == std::string_view::npos) {
    if (!encoded.empty()) add(encoded);
    return table;
  }
  for (std::size_t pos = 0, end; (end = encoded.find("&n", pos)) != std::string_view::npos;
       pos = end + 2) {
    add(encoded.substr(pos, end - pos));
  }
  return table;
}

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string ModeFieldText(std::string_view mode) {
  // Loading ignores what follows the last break, so the field does not show it either.
  std::size_t end = mode.size();
  while (end > 0 && !IsLineBreak(mode[end - 1])) --end;
  return std::string(end == 0 ? mode : mode.substr(0, end));
}

std::string NormaliseModeField(std::string_view typed) {
  std::string out;
  out.reserve(typed.size() + 2);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (!IsLineBreak(typed[i])) {
      out += typed[i];
      continue;
    }
    out += "\r\n";
    if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') ++i;
  }
  // A last line typed without a break after it would not be an entry once there are several.
  const bool several = out.find("\r\n") != std::string::npos;
  if (several && !IsLineBreak(out.back())) out += "\r\n";
  return out;
}

void ApplyAddressOrder(PostProcessorDefinition& def) {
  if (def.PP_ORDER.size() != kAddressCount) def.PP_ORDER = kDefaultOrder;
  for (int letter = 0; letter < kAddressCount; ++letter) {
    const std::size_t at = def.PP_ORDER.find(kDefaultOrder[letter]);
    def.AddressPosition[letter] = at == std::string::npos ? 0 : static_cast<int>(at) + 1;
  }
}

void ApplyKinematics(PostProcessorDefinition& def) {
  const int n = def.Cinematique_Machine;
  if (n < 1 || n > static_cast<int>(kKinematicsAxes.size())) return;
  def.RotaryAxisInUse = kKinematicsAxes[n - 1];
}

std::string LoadDefinition(const std::string& path, PostProcessorDefinition& def,
                           common::UserPrompt& prompt) {
  return LoadDefinition(common::ProfileFile::load(path), def, prompt);
}

std::string LoadDefinition(const common::ProfileFile& file, PostProcessorDefinition& def,
                           common::UserPrompt& prompt) {
  def.XDiameterFactor = 1;
  def.ModeTable.clear();
  if (IsOlderVersion(file.get("GENERAL", "Version"))) {
    prompt.inform(kOlderVersionMessage);
  }
  for (const DefinitionKey& key : kDefinitionKeys) {
    const std::string raw = file.get(key.section, key.name);
    ReadKey(key, raw, def);
    if (key.name == "MODE") def.ModeTable = ParseModeTable(raw);
  }
  ApplyAddressOrder(def);
  if (def.ToleranceCalcul == 0) def.ToleranceCalcul = 0.01;
  def.XDiameterFactor = def.OPTION_CODAGE_X_AU_DIAMETRE ? 2 : 1;
  ApplyKinematics(def);
  for (int i = 0; i < kColourCount; ++i) {
    ReadInteger(file.get(kColourSection, kColourKeys[i]), def.colours[i]);
  }
  return def.PP_NOM;
}

}  // namespace ordalis::ppdef
