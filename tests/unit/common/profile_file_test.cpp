#include "core/common/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

using namespace ordalis::common;
using ordalis::test::ReadFile;
using ordalis::test::TempDir;
using ordalis::test::WriteFile;

TEST(ProfileFile, ReadsNamesWithoutCaseOrBlanksAndCleansValues) {
  const auto p = ProfileFile::parse(
      "[General]\r\n"
      "  pp_nom =  Mill 3 axes  \r\n"
      "Quoted=\"  (x)  \"\r\n"
      "Single='abc'\r\n"
      "Half=\"abc\r\n"
      "Empty=\r\n"
      "Eq=a=b\r\n"
      "; PP_F=commented\r\n"
      "[ code_m ]\r\n"
      "PP_STOP=M0\r\n");
  EXPECT_EQ(p.get("GENERAL", "PP_NOM"), "Mill 3 axes");
  EXPECT_EQ(p.get(" general ", " Pp_Nom "), "Mill 3 axes");
  EXPECT_EQ(p.get("GENERAL", "Quoted"), "  (x)  ");
  EXPECT_EQ(p.get("GENERAL", "Single"), "abc");
  EXPECT_EQ(p.get("GENERAL", "Half"), "\"abc");
  EXPECT_EQ(p.get("GENERAL", "Eq"), "a=b");
  EXPECT_EQ(p.get("GENERAL", "PP_F"), "");
  EXPECT_TRUE(p.has("GENERAL", "Empty"));
  EXPECT_FALSE(p.has("GENERAL", "Missing"));
  EXPECT_EQ(p.get("CODE_M", "PP_STOP"), "M0");
  EXPECT_EQ(p.get("CODE_M", "PP_NOM"), "");
  EXPECT_EQ(p.get("NOPE", "PP_NOM"), "");
}

TEST(ProfileFile, MatchesAccentedNamesInWindows1252AndUtf8) {
  // The file spells the key in UTF-8 (C3 A9), the program asks in Windows-1252 (E9), and back.
  const auto utf8 = ProfileFile::parse("[TORVEL]\nCin\xC3\xA9matique_Machine=3\n");
  EXPECT_EQ(utf8.get("TORVEL", "Cin\xE9matique_Machine"), "3");
  EXPECT_EQ(utf8.get("TORVEL", "CIN\xC9MATIQUE_MACHINE"), "3");
  const auto ansi = ProfileFile::parse("[TORVEL]\nTXT_Cin\xE9matique_Machine=3 Axes\n");
  EXPECT_EQ(ansi.get("torvel", "txt_cin\xC3\xA9matique_machine"), "3 Axes");
  EXPECT_EQ(ansi.get("TORVEL", "TXT_Cin\xC9matique_Machine"), "3 Axes");
  // Rewriting keeps the file's own spelling of the name.
  auto copy = utf8;
  copy.set("TORVEL", "Cin\xE9matique_Machine", "5");
  EXPECT_EQ(copy.text(), "[TORVEL]\nCin\xC3\xA9matique_Machine=5\n");
}

TEST(ProfileFile, CutsLongValues) {
  const std::string longValue(5000, 'x');
  const auto p = ProfileFile::parse("[S]\nK=" + longValue + "\n");
  EXPECT_EQ(p.get("S", "K").size(), kProfileValueMax);
  EXPECT_EQ(p.get("S", "K", 10), "xxxxxxxxxx");
}

TEST(ProfileFile, ReadsEveryLineEndAndTheByteOrderMark) {
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    const auto p = ProfileFile::parse("\xEF\xBB\xBF[A]" + eol + "K=1" + eol + "L=2" + eol);
    EXPECT_EQ(p.get("A", "K"), "1") << eol.size();
    EXPECT_EQ(p.get("A", "L"), "2") << eol.size();
  }
}

TEST(ProfileFile, SetReplacesInPlaceAppendsAtSectionEndAndKeepsEverythingElse) {
  auto p = ProfileFile::parse(
      "; Ordalis definition\r\n"
      "[A]\r\n"
      "K=1\r\n"
      "Unknown = keep me\r\n"
      "\r\n"
      "[B]\r\n"
      "X=1\r\n");
  p.set("a", "k", "2");
  p.set("A", "New", "n");
  p.set("B", "Y", "y");
  p.set("C", "Z", "z");
  EXPECT_EQ(p.text(),
            "; Ordalis definition\r\n"
            "[A]\r\n"
            "K=2\r\n"
            "Unknown = keep me\r\n"
            "New=n\r\n"
            "\r\n"
            "[B]\r\n"
            "X=1\r\n"
            "Y=y\r\n"
            "[C]\r\n"
            "Z=z\r\n");
  // Values that reading would trim or unquote are written so that they read back unchanged.
  for (const std::string v : {" (", "G0 ", "\"quoted\"", "'q'", "a \"b\" c"}) {
    p.set("C", "Q", v);
    EXPECT_EQ(p.get("C", "Q"), v);
  }
  EXPECT_EQ(ProfileFile::parse("[C]\nQ=x\n").get("C", "Q"), "x");
  // A value with a line break cannot split the key line.
  p.set("C", "Z", "a\r\nb");
  EXPECT_EQ(p.get("C", "Z"), "a  b");
}

TEST(ProfileFile, RemoveTakesEveryLineOfTheKeyFromItsSectionOnly) {
  ProfileFile p = ProfileFile::parse("[A]\r\nK=1\r\n; note\r\nk=2\r\nL=3\r\n[B]\r\nK=4\r\n");
  p.remove("a", "K");
  EXPECT_EQ(p.text(), "[A]\r\n; note\r\nL=3\r\n[B]\r\nK=4\r\n");
  EXPECT_FALSE(p.has("A", "K"));
  EXPECT_EQ(p.get("B", "K"), "4");
  p.remove("A", "L");
  p.remove("Missing", "K");
  p.set("A", "M", "5");  // after the section's last key, here its name: the index follows
  EXPECT_EQ(p.text(), "[A]\r\nM=5\r\n; note\r\n[B]\r\nK=4\r\n");
}

TEST(ProfileFile, KeepsTheFilesOwnLineEndsAndBom) {
  const std::string lf = "\xEF\xBB\xBF[A]\nK=1";  // no final line end
  auto p = ProfileFile::parse(lf);
  EXPECT_EQ(p.text(), lf);
  p.set("A", "L", "2");
  p.set("B", "M", "3");
  EXPECT_EQ(p.text(), "\xEF\xBB\xBF[A]\nK=1\nL=2\n[B]\nM=3\n");

  const std::string mixed = "[A]\r\nK=1\n\r\r\nL=2\r";
  EXPECT_EQ(ProfileFile::parse(mixed).text(), mixed);

  ProfileFile fresh;
  fresh.set("S", "K", "v");
  EXPECT_EQ(fresh.text(), "[S]\r\nK=v\r\n");
}

TEST(ProfileFile, SaveAndConvenienceFunctions) {
  TempDir dir;
  const std::string path = dir.file("settings.ini");
  EXPECT_EQ(GetProfileString(path, "CONFIG", "LangId"), "");
  EXPECT_TRUE(WriteProfileString(path, "CONFIG", "LangId", "1036"));
  EXPECT_TRUE(WriteProfileString(path, "POSTPROCESSEUR", "Fichier", ".\\Default.ppc"));
  EXPECT_EQ(ReadFile(path),
            "[CONFIG]\r\nLangId=1036\r\n[POSTPROCESSEUR]\r\nFichier=.\\Default.ppc\r\n");
  EXPECT_EQ(GetProfileString(path, "config", "langid"), "1036");
  // No temporary file is left beside the target.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(ProfileFile, FailedWriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  // The target is a folder that holds a file: the rename cannot replace it.
  const std::string target = dir.file("busy.ppc");
  std::filesystem::create_directory(target);
  WriteFile(target + "/inside", "x");
  EXPECT_FALSE(WriteFileAtomically(target, "new"));
  EXPECT_TRUE(std::filesystem::is_directory(target));
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  // A folder that does not exist cannot receive the temporary file.
  EXPECT_FALSE(WriteFileAtomically(dir.file("missing/x.ini"), "x"));
  EXPECT_FALSE(WriteProfileString(dir.file("missing/x.ini"), "A", "K", "v"));
}

TEST(ProfileFile, SaveThroughALinkReplacesItsTargetAndKeepsPermissions) {
  namespace fs = std::filesystem;
  TempDir dir;
  const std::string real = dir.file("shop.ppc");
  const std::string link = dir.file("mine.ppc");
  WriteFile(real, "[A]\nK=1\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteProfileString(link, "A", "K", "2"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(GetProfileString(real, "A", "K"), "2");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
}

TEST(ProfileFile, SurvivesBinaryAndHugeInput) {
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary.push_back(static_cast<char>((i * 7919) % 256));
  const auto b = ProfileFile::parse(binary);
  EXPECT_EQ(b.text(), binary);  // nothing is lost, even from a file that is no profile
  EXPECT_EQ(b.get("A", "K"), "");

  const auto nul = ProfileFile::parse(std::string("[A]\nK=a\0b\n\0=\n", 13));
  EXPECT_EQ(nul.get("A", "K"), std::string("a\0b", 3));

  // Millions of empty lines stay one entry each run, and read quickly.
  const std::string blank(4'000'000, '\n');
  EXPECT_EQ(ProfileFile::parse("[A]\n" + blank + "K=1\n").get("A", "K"), "1");

  TempDir dir;
  const std::string path = dir.file("huge.ini");
  WriteFile(path, "[A]\nK=" + std::string(10'000'000, 'v'));
  EXPECT_EQ(GetProfileString(path, "A", "K").size(), kProfileValueMax);

  // Larger than any profile file: reads as empty and is never rewritten.
  WriteFile(path, "[A]\nK=" + std::string(50'000'000, 'v'));
  EXPECT_EQ(GetProfileString(path, "A", "K"), "");
  EXPECT_FALSE(WriteProfileString(path, "A", "K", "1"));
  EXPECT_EQ(std::filesystem::file_size(path), 50'000'006u);
}
