// Every golden program read as a controller would, and compared with the APT program it came from:
// the units and feed mode in force, every point reached (so none was written under G91), every arc
// consistent with its centre and every hole drilled.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/apt_check.h"
#include "support/gcode_reader.h"
#include "support/test_support.h"

namespace ordalis::test {
namespace {

namespace fs = std::filesystem;

/// The definition's kinematics number: rotary axes (2 and more) move the written points.
int Kinematics(const std::string& ppc) {
  const std::string text = ReadFile(ppc);
  for (std::size_t at = text.find("matique_Machine="); at != std::string::npos;
       at = text.find("matique_Machine=", at + 1)) {
    const std::size_t line = text.rfind('\n', at) + 1;
    if (text.compare(line, 4, "TXT_") != 0) return std::atoi(text.c_str() + at + 16);
  }
  return 1;
}

std::string DefinitionOf(const fs::path& dir) {
  if (fs::exists(dir / "ppc")) {
    std::string shipped = ReadFile((dir / "ppc").string());
    while (!shipped.empty() && (shipped.back() == '\n' || shipped.back() == '\r'))
      shipped.pop_back();
    return SourcePath(shipped);
  }
  return (dir / "def.ppc").string();
}

std::vector<std::string> Check(const std::string& apt, const std::string& iso, bool positions) {
  GcodeReader reader;
  reader.read(iso);
  return CheckAgainstApt(ReadAptEvents(apt), reader, positions);
}

TEST(ModalCheck, EveryGoldenProgramDoesWhatItsAptProgramAsks) {
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(SourcePath("tests/golden"))) {
    const fs::path dir = entry.path();
    // Interrupted runs and usage errors write less than their APT program asks, on purpose.
    if (!fs::exists(dir / "input.apt") || !fs::exists(dir / "expected.nc") ||
        fs::exists(dir / "expected.rc")) {
      continue;
    }
    const std::string iso = ReadFile((dir / "expected.nc").string());
    if (iso.empty()) continue;
    const bool positions = Kinematics(DefinitionOf(dir)) < 2;
    const auto faults = Check(ReadFile((dir / "input.apt").string()), iso, positions);
    EXPECT_TRUE(faults.empty()) << dir.filename() << ":\n  " << testing::PrintToString(faults);
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

// The checker itself: each fault of the class it stands guard over is caught.
TEST(ModalCheck, CatchesTheFaultsItIsThereFor) {
  struct Case {
    const char* what;
    const char* apt;
    const char* iso;
    const char* fault;  // the start of the fault expected, "" for none
  };
  const Case cases[] = {
      {"right", "FEDRAT/100\nGOTO/0,0,0\nGODLTA/10,0,0\nGOTO/0,10,0\n",
       "G21 G90 G94\nG1 X0 Y0 Z0 F100\nG91 G1 X10 Y0 Z0\nG90 X0 Y10\n", ""},
      {"absolute point under G91", "FEDRAT/100\nGOTO/0,0,0\nGODLTA/10,0,0\nGOTO/0,10,0\n",
       "G21 G90 G94\nG1 X0 Y0 Z0 F100\nG91 G1 X10 Y0 Z0\nX0 Y10\n", "point never reached"},
      {"arc off its circle", "FEDRAT/100\nGOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\n",
       "G21 G90 G94 G17\nG1 X10 Y0 Z0 F100\nG3 X0 Y10 Z0 I-10 J1\n", "line 3: arc end off"},
      {"J word in G18", "FEDRAT/100\nGOTO/10,0,0\nGOTO/0,0,10\n",
       "G21 G90 G94 G18\nG1 X10 Y0 Z0 F100\nG3 X0 Y0 Z10 I-10 J0\n", "line 3: J word"},
      {"lost hole", "FEDRAT/100\nGOTO/0,0,10\nCYCLE/DRILL,5,2,MMPM,50\nGOTO/1,1,0\nGOTO/2,2,0\n",
       "G21 G90 G94\nG1 X0 Y0 Z10 F100\nG99 G81 X1 Y1 Z-5 R2 F50\nG1 X2 Y2 Z0\n",
       "hole never drilled"},
      {"units lost", "UNITS/INCH\nFEDRAT/20,IPM\nGOTO/0,0,1\n", "G21 G90 G94\nG1 X0 Y0 Z1 F20\n",
       "wrong units"},
      {"feed per revolution as F0", "FEDRAT/0.1,MMPR\nGOTO/0,0,1\n",
       "G21 G90 G94\nG1 X0 Y0 Z1 F0\n", "wrong feed mode"},
      {"Heidenhain centre and cycle call",
       "FEDRAT/100\nGOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\nCYCLE/DRILL,5,2,MMPM,50\n"
       "GOTO/1,1,0\n",
       "%p G71 *\nN10 G01 X+10 Y+0 Z+0 F100\nN20 I+0 J+0\nN30 G03 X+0 Y+10 Z+0\n"
       "N40 G200 Q200=2 Q201=-5 Q203=0 Q204=2\nN50 G00 X1 Y1 M99\n",
       ""},
      {"Siemens absolute centre and modal call",
       "FEDRAT/100\nGOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\nCYCLE/DRILL,5,2,MMPM,50\n"
       "GOTO/1,1,0\nGOTO/2,1,0\nCYCLE/OFF\n",
       "G17 G90 G94 G71\nG1 X10 Y0 Z0 F100\nG3 X0 Y10 Z0 I=AC(0) J=AC(0)\nF50\n"
       "MCALL CYCLE81(2,0,2,-5)\nG0 X1 Y1\nG0 X2 Y1\nMCALL\n",
       ""},
      {"cycle left on through a tool change",
       "FEDRAT/100\nGOTO/0,0,10\nCYCLE/DRILL,5,2,MMPM,50\nGOTO/1,1,0\nLOADTL/2\nGOTO/5,5,10\n",
       "G21 G90 G94\nG1 X0 Y0 Z10 F100\nG99 G81 X1 Y1 Z-5 R2 F50\nT2 M6\nX5 Y5 Z10\n",
       "line 5: a move runs in a canned cycle"},
      {"every hole at the first hole's levels",
       "FEDRAT/100\nCYCLE/DRILL,5,2,MMPM,50\nGOTO/1,1,0\nGOTO/2,1,-3\nCYCLE/OFF\n",
       "G17 G90 G94 G71\nMCALL CYCLE81(2,0,2,-5)\nG0 X1 Y1\nG0 X2 Y1\nMCALL\n",
       "hole drilled to Z-5"},
      {"back to R whatever the program asks",
       "CYCLE/DRILL,FEDTO,5,RAPTO,2,RTRCTO,20,MMPM,50\nGOTO/1,1,0\n",
       "G21 G90 G94\nG0 X1 Y1 Z20\nG99 G81 X1 Y1 Z-5 R2 F50\n", "hole clears at Z2"},
      {"a first hole without the tool's length",
       "LOADTL/1\nCYCLE/DRILL,5,2,MMPM,50\nGOTO/1,1,0\nCYCLE/OFF\nLOADTL/2\nGOTO/0,0,10\n",
       "T1 M6\nG98 G81 X1 Y1 Z-5 R2 F50\nG80\nT2 M6\nG0 X0 Y0\nG43 H2 Z10\n",
       "line 2: a hole drilled before the tool's G43"},
      {"an axis left where the old origin put it",
       "FEDRAT/100\nGOTO/1,2,3\nORIGIN/10,0,0\nGOTO/1,2,3\nGOTO/1,5,3\n",
       "G21 G90 G94\nG1 X1 Y2 Z3 F100\nG52 X10 Y0 Z0\nY5\n",
       "line 4: the first move after a work offset change"},
  };
  for (const Case& c : cases) {
    const auto faults = Check(c.apt, c.iso, true);
    if (*c.fault == '\0') {
      EXPECT_TRUE(faults.empty()) << c.what << ": " << testing::PrintToString(faults);
    } else {
      ASSERT_FALSE(faults.empty()) << c.what;
      EXPECT_EQ(faults.front().rfind(c.fault, 0), 0u) << c.what << ": " << faults.front();
    }
  }
}

}  // namespace
}  // namespace ordalis::test
