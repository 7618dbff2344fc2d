// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "driveinfo/DriveLabels.h"
#include "platform/IVolumeInfo.h"
#include "support/TestEnvironment.h"

namespace {

TEST(DriveLabelTexts, TypeNames) {
    EXPECT_EQ(drivelabel::typeText(drive::Unknown), "Type: Not determined!");
    EXPECT_EQ(drivelabel::typeText(drive::NoRootDir), "Type: Not exist");
    EXPECT_EQ(drivelabel::typeText(drive::Removable), "Type: Floppy Disk");
    EXPECT_EQ(drivelabel::typeText(drive::Fixed), "Type: Hard Disk");
    EXPECT_EQ(drivelabel::typeText(drive::Remote), "Type: Remote(Network) Drive");
    EXPECT_EQ(drivelabel::typeText(drive::CdRom), "Type: CD-ROM");
    EXPECT_EQ(drivelabel::typeText(drive::RamDisk), "Type: RAM Disk");
    EXPECT_EQ(drivelabel::typeText(7), "Type: Error Happened");
    EXPECT_EQ(drivelabel::typeText(-1), "Type: Error Happened");
}

TEST(DriveLabelTexts, SerialIsPaddedUpperCaseHexInTwoHalves) {
    EXPECT_EQ(drivelabel::serialText(0x1A2B3C4D), "Ser:   1A2B-3C4D");
    EXPECT_EQ(drivelabel::serialText(0xABCDEF), "Ser:   00AB-CDEF");
    EXPECT_EQ(drivelabel::serialText(0), "Ser:   0000-0000");
    EXPECT_EQ(drivelabel::serialText(0xFFFFFFFF), "Ser:   FFFF-FFFF");
}

TEST(DriveLabelTexts, VolumeLabelEndsAtItsTerminatingZero) {
    EXPECT_EQ(drivelabel::volumeText(""), "Vol:   ");
    EXPECT_EQ(drivelabel::volumeText("DATA"), "Vol:   DATA");
    EXPECT_EQ(drivelabel::volumeText(std::string("USB\0junk", 8)), "Vol:   USB");
    EXPECT_EQ(drivelabel::VolumeQueryFailed, "Vol:  not Mounted");
    EXPECT_EQ(drivelabel::VolumeNotMounted, "Vol:   not Mounted");
}

}  // namespace
