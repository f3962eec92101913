// Starting programs and opening files through the system: what cannot be started is told to the user.
#include "classlib/win/shell_start.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/dialogs.h"

namespace {

using namespace cl;

TEST(ShellStart, WhatCannotBeStartedIsReportedAndWhatStartsIsNot) {
  test::Responder responder;
  responder.OnMessageDlg = [](const test::MessageDlgCall&) { return std::optional<int>(mrOk); };
  EXPECT_FALSE(StartProgram("C:\\no such folder\\tarnel.exe", SW_SHOW));
  EXPECT_FALSE(ShellOpen(nullptr, "open", "C:\\no such folder\\orvane.hlp", nullptr, nullptr, SW_SHOW));
  ASSERT_EQ(responder.MessageDlgs.size(), 2u);
  EXPECT_EQ(responder.MessageDlgs[0].Text, "Cannot start C:\\no such folder\\tarnel.exe");
  EXPECT_EQ(responder.MessageDlgs[1].Text, "Cannot start C:\\no such folder\\orvane.hlp");
  EXPECT_EQ(responder.MessageDlgs[1].Caption, "Error");
  EXPECT_TRUE(StartProgram("cmd.exe /c exit", SW_HIDE));
  EXPECT_EQ(responder.MessageDlgs.size(), 2u);
}

}  // namespace
