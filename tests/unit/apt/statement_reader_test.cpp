#include "core/apt/statement_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ordalis::apt {
namespace {

std::vector<std::string> Statements(const std::string& text) {
  StringLineSource source(text);
  StatementReader reader(source);
  std::vector<std::string> out;
  std::string statement;
  while (reader.next(statement)) out.push_back(statement);
  return out;
}

std::vector<std::string> FileLines(const std::string& path) {
  FileLineSource source(path);
  std::vector<std::string> out;
  std::string line;
  while (source.nextLine(line)) out.push_back(line);
  return out;
}

using Lines = std::vector<std::string>;

TEST(StatementReader, JoinsContinuationLines) {
  EXPECT_EQ(Statements("GOTO/10,20,$\r\n30\r\n"), Lines({"GOTO/10,20,30"}));
  EXPECT_EQ(Statements("A$\r\nB\r\n"), Lines({"AB"}));
  // "$" at the next-to-last position: the last character is dropped, the "$" stays.
  EXPECT_EQ(Statements("A$B\r\nC\r\n"), Lines({"A$C"}));
  EXPECT_EQ(Statements("A$\r\nB$\r\nC\r\nD"), Lines({"ABC", "D"}));
  // A "$" earlier in the line is no continuation.
  EXPECT_EQ(Statements("A$BC\r\nD"), Lines({"A$BC", "D"}));
}

TEST(StatementReader, ShortAndBlankLinesAreWholeStatements) {
  EXPECT_EQ(Statements("\r\n$\r\nX\r\n"), Lines({"", "$", "X"}));
  // Trailing blanks and TABs go, leading blanks stay, a TAB becomes a blank.
  EXPECT_EQ(Statements("  GOTO/1,2,3 \t \r\nA\tB"), Lines({"  GOTO/1,2,3", "A B"}));
  // A line of blanks cleans to empty: complete, not a continuation of anything.
  EXPECT_EQ(Statements("   \r\nGOTO/1"), Lines({"", "GOTO/1"}));
  EXPECT_TRUE(Statements("").empty());
}

TEST(StatementReader, ContinuationOnTheLastLineIsKept) {
  EXPECT_EQ(Statements("GOTO/1,2,3\r\nGOTO/4,5,$"), Lines({"GOTO/1,2,3", "GOTO/4,5,"}));
  EXPECT_EQ(Statements("GOTO/4,5,$\r\n"), Lines({"GOTO/4,5,"}));
}

TEST(StatementReader, CommentLinesNeverContinue) {
  // A bare "$$" line, or one with its note, does not swallow the statement after it.
  EXPECT_EQ(Statements("$$\r\nGOTO/1,2,3\r\n"), Lines({"$$", "GOTO/1,2,3"}));
  EXPECT_EQ(Statements("  $$ ROUGH $$\r\nGOTO/1"), Lines({"  $$ ROUGH $$", "GOTO/1"}));
  // A trailing comment stays in the statement, whole, for the dispatcher to cut.
  EXPECT_EQ(Statements("GOTO/10,20,30 $$ note\r\nX"), Lines({"GOTO/10,20,30 $$ note", "X"}));
  // A statement ending in "$$" is still a continuation: only its last "$" goes.
  EXPECT_EQ(Statements("GOTO/1,$$\r\n2"), Lines({"GOTO/1,$2"}));
  // A comment line inside a continued statement neither ends it nor joins it.
  EXPECT_EQ(Statements("GOTO/1,$\r\n$$ note\r\n2,3\r\nEND"), Lines({"GOTO/1,2,3", "END"}));
}

TEST(StatementReader, AllLineEndsReadAlike) {
  EXPECT_EQ(Statements("A\rB\rC$\rD\r"), Lines({"A", "B", "CD"}));
  EXPECT_EQ(Statements("A\nB\r\nC\rD"), Lines({"A", "B", "C", "D"}));
  // Two CRs are two line ends; LF CR is two as well.
  EXPECT_EQ(Statements("A\r\rB\n\rC"), Lines({"A", "", "B", "", "C"}));
  EXPECT_EQ(Statements("\xEF\xBB\xBFGOTO/1\r\n"), Lines({"GOTO/1"}));
  // A BOM only counts at the very start.
  EXPECT_EQ(Statements("A\r\n\xEF\xBB\xBF"
                       "B"),
            Lines({"A",
                   "\xEF\xBB\xBF"
                   "B"}));
}

TEST(StatementReader, CountsLinesRead) {
  StringLineSource source("A$\r\nB\r\nC\r\n");
  StatementReader reader(source);
  std::string statement;
  ASSERT_TRUE(reader.next(statement));
  EXPECT_EQ(reader.linesRead(), 2u);
  ASSERT_TRUE(reader.next(statement));
  EXPECT_EQ(reader.linesRead(), 3u);
  EXPECT_FALSE(reader.next(statement));
  EXPECT_TRUE(statement.empty());
}

TEST(FileLineSource, ReadsLineEndsBomAndNulBytes) {
  test::TempDir dir;
  const std::string path = dir.file("part.apt");
  const char bytes[] = "\xEF\xBB\xBFPARTNO/X\r\nGO\0TO/1\nA\rB\r\n\r\nEND";
  test::WriteFile(path, std::string(bytes, sizeof bytes - 1));
  EXPECT_EQ(FileLines(path), Lines({"PARTNO/X", std::string("GO\0TO/1", 7), "A", "B", "", "END"}));

  FileLineSource missing(dir.file("none.apt"));
  std::string line;
  EXPECT_FALSE(missing.isOpen());
  EXPECT_FALSE(missing.nextLine(line));

  test::WriteFile(path, "");
  EXPECT_TRUE(FileLines(path).empty());
  test::WriteFile(path, "\xEF\xBB\xBF");
  EXPECT_TRUE(FileLines(path).empty());
}

TEST(FileLineSource, StatementsAreCleanedWhereverTheControlByteLies) {
  // The file road tells the reader which lines hold a TAB or another control byte; one that lies
  // in another block than the line's start must still be seen.
  test::TempDir dir;
  const std::string path = dir.file("part.apt");
  const std::string head(FileLineSource::kBlockSize - 2, 'X');
  test::WriteFile(path,
                  "GOTO/1,2,3  \r\nA\tB \nC\x01"
                  "D\n" +
                      head + "\tY  \nZ\t\n");
  FileLineSource source(path);
  StatementReader reader(source);
  std::vector<std::string> out;
  std::string statement;
  while (reader.next(statement)) out.push_back(statement);
  EXPECT_EQ(out, Lines({"GOTO/1,2,3", "A B",
                        "C\x01"
                        "D",
                        head + " Y", "Z"}));
}

TEST(FileLineSource, LineEndsAcrossBlockBoundaries) {
  test::TempDir dir;
  const std::string path = dir.file("part.apt");
  const std::size_t block = FileLineSource::kBlockSize;
  // CR as the last byte of the first block, LF as the first byte of the next: one line end.
  std::string text(block - 1, 'A');
  text += "\r\nB\r\n";
  test::WriteFile(path, text);
  EXPECT_EQ(FileLines(path), Lines({std::string(block - 1, 'A'), "B"}));

  // CR at the block end followed by another line: not mistaken for CR LF.
  text.assign(block - 1, 'A');
  text += "\rB";
  test::WriteFile(path, text);
  EXPECT_EQ(FileLines(path), Lines({std::string(block - 1, 'A'), "B"}));

  // CR LF at the end of the file exactly on the boundary: no extra empty line.
  text.assign(block - 1, 'A');
  text += "\r\n";
  test::WriteFile(path, text);
  EXPECT_EQ(FileLines(path), Lines({std::string(block - 1, 'A')}));

  // A line that spans three blocks, and lines after it.
  text.assign(2 * block + 17, 'Z');
  text += "\nX\r\n";
  test::WriteFile(path, text);
  EXPECT_EQ(FileLines(path), Lines({std::string(2 * block + 17, 'Z'), "X"}));
}

TEST(FileLineSource, HugeLineAndMillionContinuationsStayFast) {
  test::TempDir dir;
  const std::string path = dir.file("big.apt");
  const auto started = std::chrono::steady_clock::now();

  std::string text(50u << 20, 'Q');
  text += "\r\nGOTO/1\r\n";
  test::WriteFile(path, text);
  {
    FileLineSource source(path);
    StatementReader reader(source);
    std::string statement;
    ASSERT_TRUE(reader.next(statement));
    EXPECT_EQ(statement.size(), 50u << 20);
    ASSERT_TRUE(reader.next(statement));
    EXPECT_EQ(statement, "GOTO/1");
    EXPECT_FALSE(reader.next(statement));
  }

  text.clear();
  const int lines = 1000000;
  for (int i = 0; i < lines; ++i) text += "12,$\r\n";
  text += "3\r\nFINI\r\n";
  test::WriteFile(path, text);
  {
    FileLineSource source(path);
    StatementReader reader(source);
    std::string statement;
    ASSERT_TRUE(reader.next(statement));
    EXPECT_EQ(statement.size(), 3u * lines + 1);
    EXPECT_EQ(statement.substr(0, 6), "12,12,");
    EXPECT_EQ(statement.back(), '3');
    ASSERT_TRUE(reader.next(statement));
    EXPECT_EQ(statement, "FINI");
  }
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_LT(seconds, 30.0);  // quadratic joining would take hours
}

}  // namespace
}  // namespace ordalis::apt
