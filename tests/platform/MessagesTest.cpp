// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QWidget>
#include <gtest/gtest.h>

#include "platform/ClipboardText.h"
#include "platform/DialogPosition.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "support/TestEnvironment.h"

namespace {

class MessagesTest : public PlatformTest {};

TEST_F(MessagesTest, MsgBoxReturnsTheButtonAndRecordsEverything) {
    fakeDialogs().answers = {id::No};
    EXPECT_EQ(MsgBox("text", ConfirmCaption, mb::YesNo | mb::IconInformation), id::No);
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNo | mb::IconInformation);
}

TEST_F(MessagesTest, MsgBoxWithFlagsMinusOneIsThePlainMessage) {
    fakeDialogs().answers = {id::Yes};  // whatever the user does
    EXPECT_EQ(MsgBox("plain", "ignored", -1), -1);
    EXPECT_EQ(fakeDialogs().shown.at(0).kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(MessagesTest, SetDialogPositionCentresAQuarterDown) {
    fakeScreen().screenSize = QSize(1001, 801);
    QWidget w;
    w.resize(200, 100);
    SetDialogPosition(&w);
    EXPECT_EQ(w.pos(), QPoint(400, 175));
}

TEST_F(MessagesTest, SignedZeroPaddingAndItsOverflowMessages) {
    EXPECT_EQ(SignedZeroPadding(42, 4), "0042");
    EXPECT_EQ(SignedZeroPadding(-42, 4), "-0042");
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_EQ(SignedZeroPadding(12345, 3), "12345");
    EXPECT_EQ(SignedZeroPadding(-12345, 3), "12345");
    EXPECT_EQ(SignedZeroPadding(0, 0), "0");
    EXPECT_EQ(SignedZeroPadding(INT32_MIN, 3), "2147483648");  // no overflow of the magnitude
    ASSERT_EQ(fakeDialogs().texts(),
              (QStringList{"オーバーフローしました(数が大)。", "オーバーフローしました(数が小)。",
                           "オーバーフローしました(数が小)。", "オーバーフローしました(数が小)。"}));
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(MessagesTest, Clipboard) {
    EXPECT_FALSE(ClipboardHasText());
    EXPECT_EQ(GetClipboardText(), QString());
    EXPECT_TRUE(SetClipboardText("a\r\nb\r\n"));
    EXPECT_TRUE(ClipboardHasText());
    EXPECT_EQ(GetClipboardText(), QStringLiteral("a\r\nb\r\n"));
    fakeClipboard().failing = true;
    EXPECT_FALSE(SetClipboardText("x"));
}

}  // namespace
