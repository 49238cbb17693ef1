// A machine-coordinates program read back as the controller runs it: every axis in a straight
// line between blocks. The tool tip must stay on the APT path within the tolerance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/app/block_sink.h"
#include "core/app/processing_driver.h"
#include "core/common/text.h"
#include "core/kinematics/machine.h"
#include "core/ppdef/definition_file.h"
#include "support/test_support.h"

namespace ordalis::app {
namespace {

using kinematics::Vec3;

std::vector<Vec3> AptPoints(const std::string& apt) {
  std::vector<Vec3> points;
  std::istringstream in(apt);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("GOTO/", 0) != 0) continue;
    std::vector<double> v;
    for (std::string_view item : {line.substr(5)}) {
      std::string text(item);
      for (char& c : text) c = c == ',' ? ' ' : c;
      std::istringstream values(text);
      for (double x; values >> x;) v.push_back(x);
    }
    points.push_back({v[0], v[1], v[2]});
  }
  return points;
}

double DistanceToPath(const Vec3& p, const std::vector<Vec3>& path) {
  double best = 1e300;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const Vec3 d = path[i + 1] - path[i];
    const double len2 = kinematics::Dot(d, d);
    double s = len2 == 0 ? 0 : kinematics::Dot(p - path[i], d) / len2;
    s = std::clamp(s, 0.0, 1.0);
    best = std::min(best, kinematics::Norm(p - (path[i] + d * s)));
  }
  return best;
}

TEST(MachineCoordinatesProgram, EveryFeedMoveKeepsTheTipOnThePath) {
  AppFixture app;
  AppContext& ctx = app.ctx;
  common::RecordingPrompt& prompt = app.prompt;
  ppdef::LoadDefinition(test::SourcePath("data/ppc/table_ac_machine_5axis.ppc"), ctx.definition,
                        prompt);
  const auto& d = ctx.definition;
  kinematics::MachineSetup setup;
  setup.type = d.Cinematique_Machine;
  setup.tableCentre = {d.PP_TABLE_CENTER_X, d.PP_TABLE_CENTER_Y, d.PP_TABLE_CENTER_Z};
  const kinematics::Machine machine(setup);

  const std::string apt = test::ReadFile(test::SourcePath("data/examples/06_five_axis_sweeps.apt"));
  StringBlockSink sink;
  EXPECT_EQ(ConvertStatements(ctx, apt, sink), RunOutcome::kDone);
  const std::vector<Vec3> path = AptPoints(apt);

  std::map<char, double> axes{{'X', 0}, {'Y', 0}, {'Z', 0}, {'A', 0}, {'C', 0}};
  bool feed = false;
  int checked = 0;
  double worst = 0;
  std::istringstream in(sink.text());
  for (std::string line; std::getline(in, line);) {
    if (line.find("G28") != std::string::npos) continue;  // homing: not a path move
    std::map<char, double> next = axes;
    bool moves = false;
    std::istringstream words(line);
    for (std::string w; words >> w;) {
      if (w == "G00") feed = false;
      if (w == "G01") feed = true;
      if (w.size() > 1 && next.count(w[0]) && (std::isdigit(w[1]) || w[1] == '-')) {
        next[w[0]] = common::ReadNumber(w.substr(1));
        moves = true;
      }
    }
    // The block after a rotary reset comes down from the macro's height: not on the path.
    const bool reentry = line.find("G01 Z") != std::string::npos && next['X'] == axes['X'];
    if (moves && feed && !reentry) {
      for (int k = 1; k <= 8; ++k) {
        const double t = k / 8.0;
        const Vec3 m{axes['X'] + t * (next['X'] - axes['X']),
                     axes['Y'] + t * (next['Y'] - axes['Y']),
                     axes['Z'] + t * (next['Z'] - axes['Z'])};
        const kinematics::Angles a{axes['A'] + t * (next['A'] - axes['A']), 0,
                                   axes['C'] + t * (next['C'] - axes['C'])};
        worst = std::max(worst, DistanceToPath(machine.fromMachine(m, a, 0), path));
        ++checked;
      }
    }
    axes = next;
  }
  EXPECT_GT(checked, 1000);
  // ToleranceCalcul, plus what three decimals of X, Y, Z and the angles leave.
  EXPECT_LT(worst, d.ToleranceCalcul + 0.003);
}

}  // namespace
}  // namespace ordalis::app

namespace ordalis::app {
namespace {

TEST(MachineCoordinatesProgram, HeadsSwingTheToolLengthAboutThePivot) {
  AppFixture app;
  AppContext& ctx = app.ctx;
  common::RecordingPrompt& prompt = app.prompt;
  common::VectorLog& log = app.log;
  ppdef::LoadDefinition(test::SourcePath("data/ppc/head_ac_5axis.ppc"), ctx.definition, prompt);
  ctx.definition.OPTION_COORDONNEES_MACHINE = true;
  ctx.definition.PP_PIVOT_LENGTH = 150;
  // A 50 long tool tilted 90 degrees about X: the pivot stands 200 along -Y, 200 lower than
  // for the upright tool the length compensation assumes.
  StringBlockSink sink;
  ConvertStatements(ctx, "CUTTER/10,0,0,0,0,0,50\nLOADTL/1\nGOTO/0,0,0,0,-1,0\nFINI\n", sink);
  EXPECT_NE(sink.text().find("X0.000 Y-200.000 A90.000 C0.000"), std::string::npos) << sink.text();
  EXPECT_NE(sink.text().find("Z-200.000"), std::string::npos) << sink.text();
  EXPECT_FALSE(log.contains("CUTTER"));
  // Without the tool's length the tip swings about the pivot alone: the user is told once.
  StringBlockSink again;
  ConvertStatements(ctx, "LOADTL/1\nGOTO/0,0,0,0,-1,0\nGOTO/5,0,0,0,-1,0\nFINI\n", again);
  EXPECT_NE(again.text().find("Y-150.000"), std::string::npos) << again.text();
  int warned = 0;
  for (const auto& line : log.lines()) warned += line.find("CUTTER") != std::string::npos;
  EXPECT_EQ(warned, 1);
}

}  // namespace
}  // namespace ordalis::app
