#pragma once

#include <string>

class TCopyForm;

// The drive type, volume label and serial number labels of the left pane.
class DriveInfo {
public:
    explicit DriveInfo(TCopyForm& form) : form_(form) {}

    void DriveComboBox1Change();
    // Both throw when the left tree has no root entry.
    void GetDriveTypeActionExecute();
    void GetSerialNumExecute();

private:
    std::string leftRoot() const;

    TCopyForm& form_;
};
