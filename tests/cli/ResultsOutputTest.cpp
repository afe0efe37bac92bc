#include <gtest/gtest.h>

#include <sstream>

#include "cli/ResultsOutput.h"

namespace {

// What "select CK, NK from P_Shobeh; print 'done'; update ..." returns.
db::Results persianBranches() {
  db::Results r;
  r.addRows({"CK", "NK"}, {{"1", "مرکزی"}, {"22", std::nullopt}, {"3", "شعبه, \"شمال\""}});
  r.addCount(3);
  r.addMessage({0, 0, 1, 0, {}, "done"});
  r.addCount(1);
  return r;
}

TEST(ResultsOutput, ATableAlignsPersianTextByItsCharactersThenMessagesAndCountsInOrder) {
  std::ostringstream out;
  cli::printResults(persianBranches(), cli::ResultsFormat::Table, out, out);
  EXPECT_EQ(out.str(),
            "CK | NK\n"
            "---+-------------\n"
            "1  | مرکزی\n"
            "22 | NULL\n"
            "3  | شعبه, \"شمال\"\n"
            "\n"
            "(3 rows affected)\n"
            "done\n"
            "(1 row affected)\n");
}

TEST(ResultsOutput, CsvQuotesWhatItMustAndLeavesTheMessagesToTheOtherStream) {
  std::ostringstream out, notes;
  cli::printResults(persianBranches(), cli::ResultsFormat::Csv, out, notes);
  EXPECT_EQ(out.str(), "CK,NK\r\n1,مرکزی\r\n22,\r\n3,\"شعبه, \"\"شمال\"\"\"\r\n");
  EXPECT_EQ(notes.str(), "(3 rows affected)\ndone\n(1 row affected)\n");
}

TEST(ResultsOutput, JsonHoldsTheResultSetsAndTheMessagesWithNullsAsNull) {
  db::Results r = persianBranches();
  r.addMessage({50000, 16, 1, 3, {}, "bad"});
  std::ostringstream out;
  cli::printResults(r, cli::ResultsFormat::Json, out, out);
  EXPECT_EQ(out.str(),
            R"({"result_sets":[{"columns":["CK","NK"],"rows":[["1","مرکزی"],["22",null],["3","شعبه, \"شمال\""]]}],)"
            R"("messages":[{"rows_affected":3},{"number":0,"severity":0,"text":"done"},{"rows_affected":1},)"
            R"({"number":50000,"severity":16,"text":"bad"}]})"
            "\n");
}

}  // namespace
