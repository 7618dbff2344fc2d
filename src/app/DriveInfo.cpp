#include "app/DriveInfo.h"

#include <stdexcept>

#include <QLabel>

#include "app/CopyForm.h"
#include "app/DriveLabels.h"
#include "controls/DirectoryListBox.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"

void DriveInfo::DriveComboBox1Change() {
    if (!form_.FormReady) return;
    try {
        GetDriveTypeActionExecute();
        GetSerialNumExecute();
    } catch (...) {
        form_.DriveTypeLabel->setText(drivelabel::TypeCannotUse);
        form_.VolumeLabelLabel->setText(drivelabel::VolumeQueryFailed);
        form_.SerialNumberLabel->setText(drivelabel::SerialNone);
    }
}

std::string DriveInfo::leftRoot() const {
    if (form_.DirectoryListBox1->entryCount() == 0)
        throw std::runtime_error("The left folder tree has no root.");
    return form_.DirectoryListBox1->entryPath(0);
}

void DriveInfo::GetDriveTypeActionExecute() {
    const std::string root = leftRoot();
    int code = drive::Unknown;
    try {
        code = platform().volumes->driveType(root);
    } catch (...) {
        form_.DriveTypeLabel->setText(drivelabel::TypeCannotUse);
        return;
    }
    form_.DriveTypeLabel->setText(drivelabel::typeText(code));
}

void DriveInfo::GetSerialNumExecute() {
    const std::string root = leftRoot();
    std::string label;
    std::uint32_t serial = 0;
    bool ok = false;
    try {
        ok = platform().volumes->volumeInformation(root, label, serial);
    } catch (...) {
        form_.VolumeLabelLabel->setText(drivelabel::VolumeQueryFailed);
        form_.SerialNumberLabel->setText(drivelabel::SerialNone);
        return;
    }
    if (ok) {
        form_.VolumeLabelLabel->setText(drivelabel::volumeText(label));
        form_.SerialNumberLabel->setText(drivelabel::serialText(serial));
    } else {
        form_.VolumeLabelLabel->setText(drivelabel::VolumeNotMounted);
        form_.SerialNumberLabel->setText(drivelabel::SerialNone);
    }
}
