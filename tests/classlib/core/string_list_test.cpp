// TStringList: Text, CommaText, Values, sorting, duplicates, change events and streams.
#include "classlib/core/string_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"

namespace {

using testing::ElementsAre;

std::vector<std::string> Lines(const cl::TStrings& strings) {
  std::vector<std::string> lines;
  for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings.Strings(i));
  return lines;
}

TEST(StringListTest, TextSplitsAtAnyLineBreakAndJoinsWithCrLf) {
  cl::TStringList list;
  list.SetText("a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_THAT(Lines(list), ElementsAre("a", "b", "c", "d", "", "e"));
  list.SetText("one\r\n");
  EXPECT_THAT(Lines(list), ElementsAre("one"));
  EXPECT_EQ(list.Text(), "one\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
  list.SetText("\n");
  EXPECT_THAT(Lines(list), ElementsAre(""));
}

TEST(StringListTest, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  cl::TStringList list;
  list.Add("plain");
  list.Add("with blank");
  list.Add("say \"hi\"");
  list.Add("");
  list.Add("a,b");
  const std::string text = list.CommaText();
  EXPECT_EQ(text, "plain,\"with blank\",\"say \"\"hi\"\"\",\"\",\"a,b\"");
  cl::TStringList back;
  back.SetCommaText(text);
  EXPECT_EQ(Lines(back), Lines(list));
}

TEST(StringListTest, CommaTextSplitsAtBlanksAndKeepsEmptyItemsBetweenCommas) {
  cl::TStringList list;
  list.SetCommaText(" a b,,c , \"d e\"  ");
  EXPECT_THAT(Lines(list), ElementsAre("a", "b", "", "c", "d e"));
  list.SetCommaText("x,");
  EXPECT_THAT(Lines(list), ElementsAre("x"));
  list.SetCommaText("\"unclosed");
  EXPECT_THAT(Lines(list), ElementsAre("unclosed"));
}

TEST(StringListTest, ValuesByNameWithoutCase) {
  cl::TStringList list;
  list.Add("Width=10");
  list.Add("no equals");
  list.Add("Path=C:\\a=b");
  EXPECT_EQ(list.Values("width"), "10");
  EXPECT_EQ(list.Values("PATH"), "C:\\a=b");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.Names(0), "Width");
  EXPECT_EQ(list.Names(1), "");
  list.SetValues("WIDTH", "20");
  EXPECT_EQ(list.Strings(0), "WIDTH=20");
  list.SetValues("Height", "5");
  EXPECT_EQ(list.Strings(3), "Height=5");
  list.SetValues("width", "");
  EXPECT_EQ(list.IndexOfName("Width"), -1);
  EXPECT_EQ(list.Count(), 3);
}

TEST(StringListTest, SortedListsAreCaseInsensitiveAndHonourDuplicates) {
  cl::TStringList list;
  list.Add("beta");
  list.Add("_under");
  list.Add("Alpha");
  list.SetSorted(true);
  EXPECT_THAT(Lines(list), ElementsAre("Alpha", "beta", "_under"));
  EXPECT_EQ(list.Add("ALPHA"), 0);  // dupIgnore gives the existing index
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Add("Gamma"), 2);
  EXPECT_EQ(list.IndexOf("GAMMA"), 2);
  int index = -1;
  EXPECT_FALSE(list.Find("delta", index));
  EXPECT_EQ(index, 2);
  list.SetDuplicates(cl::dupAccept);
  list.Add("beta");
  EXPECT_EQ(list.Count(), 5);
  list.SetDuplicates(cl::dupError);
  EXPECT_THROW(list.Add("Beta"), cl::EListError);
  EXPECT_THROW(list.Insert(0, "x"), cl::EListError);
  EXPECT_THROW(list.SetStrings(0, "x"), cl::EListError);
}

TEST(StringListTest, ChangeEventsFireOncePerUpdate) {
  cl::TStringList list;
  int changing = 0, changed = 0;
  list.SetOnChanging([&](cl::TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  });
  list.SetOnChange([&](cl::TObject*) { ++changed; });
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText("x\ny");
  EXPECT_EQ(changed, 3);
}

TEST(StringListTest, AssignCopiesLinesAndObjects) {
  cl::TStringList source;
  cl::TStringList marker;
  source.AddObject("one", &marker);
  source.Add("two");
  cl::TStringList copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_THAT(Lines(copy), ElementsAre("one", "two"));
  EXPECT_EQ(copy.Objects(0), &marker);
  const cl::TPersistent notStrings;
  EXPECT_THROW(copy.Assign(&notStrings), cl::EConvertError);
}

TEST(StringListTest, StreamsCarryText) {
  cl::TStringList list;
  list.Add("a");
  list.Add("b");
  cl::TMemoryStream stream;
  stream.WriteBuffer("head", 4);
  list.SaveToStream(&stream);
  stream.SetPosition(4);
  cl::TStringList back;
  back.LoadFromStream(&stream);  // from the current position to the end
  EXPECT_THAT(Lines(back), ElementsAre("a", "b"));
  EXPECT_THROW(back.Strings(2), cl::EListError);
}

}  // namespace
