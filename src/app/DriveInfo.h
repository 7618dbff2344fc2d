#pragma once

class TCopyForm;

// The drive type, volume label and serial number labels of the left pane.
class DriveInfo {
public:
    explicit DriveInfo(TCopyForm& form) : form_(form) {}

    void DriveComboBox1Change();
    void GetDriveTypeActionExecute();
    void GetSerialNumExecute();

private:
    TCopyForm& form_;
};
